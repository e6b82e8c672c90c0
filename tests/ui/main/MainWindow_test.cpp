#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "store/ChequeFormatStore.h"
#include "store/CompanyStore.h"
#include "store/SettingsStore.h"
#include "support/FormatSamples.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "support/Widgets.h"
#include "ui/main/MainWindow.h"

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void open() {
        window = std::make_unique<MainWindow>(env.context);
        ASSERT_TRUE(window->load());
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        amount = widget<QLineEdit>(window, "txtAmount");
        payee = widget<QComboBox>(window, "cboRecipient");
        banks = widget<QComboBox>(window, "cboBank");
    }
    QString focusName() const {
        const QWidget* focus = QApplication::focusWidget();
        while (focus && focus->objectName().isEmpty()) focus = focus->parentWidget();
        return focus ? focus->objectName() : QString();
    }

    TestEnv env;
    std::unique_ptr<MainWindow> window;
    QLineEdit* amount = nullptr;
    QComboBox* payee = nullptr;
    QComboBox* banks = nullptr;
};

// Digits, "." and "," are typed; any other character is dropped and moves the
// focus on; the box rewrites its text when it loses the focus.
TEST_F(MainWindowTest, AmountKeys) {
    open();
    const std::tuple<QString, QString, bool> cases[] = {
        // keys, text after leaving, focus kept
        {QStringLiteral("1234.5"), QStringLiteral("1,234.50"), true},
        {QStringLiteral("1,2,3"), QStringLiteral("123.00"), true},
        {QStringLiteral(".."), QStringLiteral(".."), true},
        {QStringLiteral("12a"), QStringLiteral("12.00"), false},
        {QStringLiteral("7\u0663"), QStringLiteral("7.00"),
         false},  // a digit, but not an ASCII one
    };
    for (const auto& [keys, text, kept] : cases) {
        amount->setFocus();
        amount->clear();
        for (const QChar c : keys) {  // the test library types ASCII only
            QKeyEvent key(QEvent::KeyPress, c.unicode() < 128 ? c.toUpper().unicode() : 0, {}, c);
            QApplication::sendEvent(QApplication::focusWidget(), &key);
        }
        EXPECT_EQ(amount->hasFocus(), kept) << keys.toStdString();
        if (kept) QTest::keyClick(amount, Qt::Key_Tab);
        EXPECT_EQ(amount->text(), text) << keys.toStdString();
        EXPECT_EQ(focusName(), QStringLiteral("DatePicker"));
    }
    amount->setFocus();
    QTest::keyClick(amount, Qt::Key_End);
    QTest::keyClick(amount, Qt::Key_Backspace);
    EXPECT_EQ(amount->text(), QStringLiteral("7.0"));  // Backspace is no character
    payee->setFocus();
    QTest::mouseClick(amount, Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_EQ(amount->selectedText(),
              QStringLiteral("7.00"));  // rewritten; the focus selects it all
}

TEST_F(MainWindowTest, PrintChecksInOrder) {
    open();
    QTest::mouseClick(widget<QPushButton>(window, "cmdPrint"), Qt::LeftButton);
    ASSERT_EQ(env.dialogs.texts(),
              QStringList{QStringLiteral("Please chose a Bank cheque format or there is no bank "
                                         "cheque format available!\r\nYou can click on Edit "
                                         "Cheques button to add or edit bank cheque format.")});
    EXPECT_EQ(focusName(), QStringLiteral("cboBank"));

    ChequeFormatStore::insert(env.db(), distinctFormat(QStringLiteral("MBB")));
    window->retrieveBanks();
    const std::tuple<const char*, const char*, bool, const char*, const char*> steps[] = {
        // amount, payee, alert user, message (empty: the preview opens), focus afterwards
        {"", "", true, "No empty Amount field is allowed.", "txtAmount"},
        {"12x", "Someone", true, "Invalid amount.", "txtAmount"},
        {"-5", "Someone", true, "Invalid amount.", "txtAmount"},
        {"1000000000000", "Someone", true, "Invalid amount. Amount can't exceed trillion value.",
         "txtAmount"},
        {"5", "", true, "No emtpy Pay To field is allowed.", "cboRecipient"},
        {"5", "", false, "", "cboRecipient"},
    };
    for (const auto& [typed, name, alert, message, focus] : steps) {
        env.dialogs.clear();
        setSetting(*window, &UserSettings::alertUser, alert);
        amount->setText(QString::fromUtf8(typed));  // as if pasted
        payee->setEditText(QString::fromUtf8(name));
        QTest::mouseClick(widget<QPushButton>(window, "cmdPrint"), Qt::LeftButton);
        const QStringList expected =
            *message ? QStringList{QString::fromUtf8(message)} : QStringList{};
        EXPECT_EQ(env.dialogs.texts(), expected) << typed;
        EXPECT_EQ(focusName(), QString::fromUtf8(focus)) << typed;
    }
    EXPECT_EQ(amount->text(), QStringLiteral("5.00"));
}

// A new payee is stored once, exactly as typed; blanks are never stored.
TEST_F(MainWindowTest, PayeesAreKeptAsTyped) {
    for (const char* name : {"ACME Holdings", "Alpha"})
        CompanyStore::insert(env.db(), QString::fromUtf8(name));
    open();
    for (const char* text : {"ACME", "alpha", "Alp"}) {
        payee->setFocus();
        payee->lineEdit()->clear();
        QTest::keyClicks(payee->lineEdit(), QString::fromUtf8(text));
        QTest::keyClick(payee->lineEdit(), Qt::Key_Tab);
        EXPECT_EQ(window->chequeRequest().payee, QString::fromUtf8(text));
    }
    for (const char* text : {"O\"Brien & Sons", "O\"Brien & Sons", "Alpha", "", "  \t"}) {
        payee->setEditText(QString::fromUtf8(text));
        window->checkRecipient();
    }
    QStringList stored;
    for (const Payee& p : CompanyStore::listByName(env.db())) stored << p.name;
    EXPECT_EQ(stored, (QStringList{QStringLiteral("ACME Holdings"), QStringLiteral("Alpha"),
                                   QStringLiteral("O\"Brien & Sons")}));
    EXPECT_EQ(payee->count(), 3);
}

TEST_F(MainWindowTest, SettingsAreReadAndTheRememberedChoicesWrittenOnlyWithSaveChange) {
    for (const char* code : {"ZZB", "ABC"})
        ChequeFormatStore::insert(env.db(), distinctFormat(QString::fromLatin1(code)));
    for (int saveChange : {0, 1}) {
        SettingsStore::writeRememberedChoices(env.db(), saveChange ? 1 : 7, 1,
                                              QStringLiteral("UPPER CASE"));
        SettingsStore::writeOptions(env.db(), saveChange, 0, 0, QStringLiteral("dd/mm/yy"));
        open();
        EXPECT_EQ(banks->itemText(0).left(3), QStringLiteral("ABC"));
        EXPECT_EQ(banks->currentIndex(), saveChange ? 1 : 0);  // beyond the list: the first
        EXPECT_TRUE(widget<QCheckBox>(window, "chkPrintDate")->isChecked());
        EXPECT_EQ(window->settings().dateFormat, QStringLiteral("dd/mm/yy"));
        EXPECT_EQ(widget<QDateEdit>(window, "DatePicker")->date(), env.clock.current.date());
        banks->setCurrentIndex(saveChange ? 0 : 1);
        QTest::mouseClick(widget<QCheckBox>(window, "chkPrintDate"), Qt::LeftButton);
        setSetting(*window, &UserSettings::wordCase, QStringLiteral("Proper Case"));
        window->close();
        const auto stored = SettingsStore::read(env.db());
        EXPECT_EQ(stored->bankIndex, saveChange ? 0 : 7);
        EXPECT_EQ(stored->printDate, saveChange ? 0 : 1);
        EXPECT_EQ(stored->wordCase,
                  saveChange ? QStringLiteral("Proper Case") : QStringLiteral("UPPER CASE"));
    }
    open();
    env.db().write(QStringLiteral("DROP TABLE Settings"));
    window->close();
    ASSERT_EQ(env.dialogs.messages.size(), 1u);
    EXPECT_TRUE(env.dialogs.messages[0].text.contains(QStringLiteral("no such table")));
}

}  // namespace
