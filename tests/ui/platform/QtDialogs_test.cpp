#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "support/QStringPrinter.h"
#include "ui/platform/QtDialogs.h"

namespace {

// Names are shown as written: markup and entities in a message are its text.
TEST(QtDialogs, MessagesArePlainText) {
    using Buttons = Dialogs::Buttons;
    using Answer = Dialogs::Answer;
    struct Case {
        QString text;
        Buttons buttons;
        QMessageBox::StandardButton press;
        Answer answer;
    };
    const Case cases[] = {
        {QStringLiteral("Delete <b>Bold</b>?"), Buttons::YesNo, QMessageBox::Yes, Answer::Yes},
        {QStringLiteral("A &lt; B &amp; Co"), Buttons::Ok, QMessageBox::Ok, Answer::Ok},
        {QStringLiteral("<i>x</i>"), Buttons::YesNoCancel, QMessageBox::Cancel, Answer::Cancel},
    };
    QtDialogs dialogs;
    for (const auto& c : cases) {
        Qt::TextFormat format = Qt::AutoText;
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            format = box->textFormat();
            if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
                EXPECT_EQ(label->textFormat(), Qt::PlainText);
                shown = label->text();
            }
            box->button(c.press)->click();
        });
        EXPECT_EQ(dialogs.message(c.text, QStringLiteral("Delete"), Dialogs::Icon::Question,
                                  c.buttons),
                  c.answer);
        EXPECT_EQ(format, Qt::PlainText) << c.text.toStdString();
        EXPECT_EQ(shown, c.text);
    }
}

}  // namespace
