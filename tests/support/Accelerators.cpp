#include "support/Accelerators.h"

#include <QAbstractButton>
#include <QWidget>

QString acceleratorOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&')) continue;
        if (caption.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption.at(i + 1).toLower();
    }
    return {};
}

QStringList sharedAccelerators(const QWidget* window) {
    QStringList clashes;
    const auto buttons = window->findChildren<QAbstractButton*>();
    for (qsizetype a = 0; a < buttons.size(); ++a) {
        const QString key = acceleratorOf(buttons[a]->text());
        if (key.isEmpty()) continue;
        for (qsizetype b = a + 1; b < buttons.size(); ++b)
            if (acceleratorOf(buttons[b]->text()) == key)
                clashes << buttons[a]->objectName() + QLatin1Char(' ') + buttons[b]->objectName() +
                               QStringLiteral(" &") + key;
    }
    return clashes;
}
