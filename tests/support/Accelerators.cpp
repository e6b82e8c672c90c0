#include "support/Accelerators.h"

#include <QAbstractButton>
#include <QRegularExpression>

QStringList sharedAccelerators(const QWidget* window) {
    static const QRegularExpression accelerator(QStringLiteral("(?:^|[^&])(?:&&)*&([^&])"));
    const auto letter = [](const QAbstractButton* b) { return accelerator.match(b->text()).captured(1).toLower(); };
    QStringList clashes;
    const auto buttons = window->findChildren<QAbstractButton*>();
    for (qsizetype a = 0; a < buttons.size(); ++a)
        for (qsizetype b = a + 1; b < buttons.size() && !letter(buttons[a]).isEmpty(); ++b)
            if (letter(buttons[b]) == letter(buttons[a]))
                clashes << buttons[a]->objectName() + u' ' + buttons[b]->objectName() + u" &" + letter(buttons[a]);
    return clashes;
}
