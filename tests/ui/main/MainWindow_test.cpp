#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
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

using namespace Qt::StringLiterals;

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
    }
    static QString focusName() {  // the nearest named widget holding the focus
        const QWidget* focus = QApplication::focusWidget();
        while (focus && focus->objectName().isEmpty()) focus = focus->parentWidget();
        return focus ? focus->objectName() : QString();
    }
    void print() { QTest::mouseClick(widget<QPushButton>(window, "cmdPrint"), Qt::LeftButton); }

    TestEnv env;
    std::unique_ptr<MainWindow> window;
    QLineEdit* amount = nullptr;
    QComboBox* payee = nullptr;
};

// Digits, "." and "," are typed; any other character is dropped and moves the
// focus on; the box rewrites its text when it loses the focus.
TEST_F(MainWindowTest, AmountKeys) {
    open();
    const std::tuple<QString, QString, bool> cases[] = {  // keys, text after leaving, focus kept
        {u"1234.5"_s, u"1,234.50"_s, true}, {u"1,2,3"_s, u"123.00"_s, true},
        {u"12a"_s, u"12.00"_s, false}, {u"7\u0663"_s, u"7.00"_s, false},  // not an ASCII digit
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
    }
}

// Print checks the bank, the amount and the payee in that order, each refusal
// with its message and the focus in the box at fault; then the preview prints,
// the new payee is stored once (never a blank one) and the boxes are cleared.
TEST_F(MainWindowTest, PrintChecksInOrderThenPrintsThroughThePreview) {
    open();
    print();
    EXPECT_EQ(focusName(), QStringLiteral("cboBank"));
    ChequeFormat format = distinctFormat(QStringLiteral("MBB"));
    format.printerName = QStringLiteral("Cheques");
    env.printers.names = QStringList{format.printerName};
    ChequeFormatStore::insert(env.db(), format);
    window->retrieveBanks();
    const std::tuple<const char*, const char*, bool, const char*, const char*> steps[] = {
        // amount, payee, alert user, message (empty: the preview opens), focus afterwards
        {"", "", true, "No empty Amount field is allowed.", "txtAmount"},
        {"-5", "Someone", true, "Invalid amount.", "txtAmount"},
        {"1000000000000", "Someone", true, "Invalid amount. Amount can't exceed trillion value.", "txtAmount"},
        {"5", "", true, "No emtpy Pay To field is allowed.", "cboRecipient"},
        {"5", "", false, "", "cboRecipient"},
    };
    for (const auto& [typed, name, alert, message, focus] : steps) {
        env.dialogs.clear();
        setSetting(*window, &UserSettings::alertUser, alert);
        amount->setText(QString::fromUtf8(typed));
        payee->setEditText(QString::fromUtf8(name));
        env.dialogs.onNextModal([](QDialog* preview) { preview->reject(); });
        print();
        EXPECT_EQ(env.dialogs.texts(), *message ? QStringList{QString::fromUtf8(message)} : QStringList{}) << typed;
        EXPECT_EQ(focusName(), QString::fromUtf8(focus)) << typed;
        env.dialogs.modalHandlers.clear();
    }
    setSetting(*window, &UserSettings::clearData, 1);
    for (const char* name : {"O\"Brien & Sons", "O\"Brien & Sons", "  "}) {
        payee->setEditText(QString::fromUtf8(name));
        amount->setText(QStringLiteral("5"));
        env.dialogs.onNextModal([](QDialog* preview) {
            QTest::mouseClick(widget<QPushButton>(preview, "cmdPrint"), Qt::LeftButton);
        });
        print();
        EXPECT_EQ(amount->text(), QString());
        EXPECT_EQ(payee->currentText(), QString());
    }
    EXPECT_EQ(env.printers.documentsEnded, 3);
    EXPECT_EQ(payee->count(), 1);
    ASSERT_EQ(CompanyStore::listByName(env.db()).size(), 1u);
}

// A typed payee is never replaced by a completion; the remembered choices are
// written on closing only with Save Change on.
TEST_F(MainWindowTest, PayeesAreKeptAsTypedAndChoicesRememberedOnlyWithSaveChange) {
    CompanyStore::insert(env.db(), QStringLiteral("ACME Holdings"));
    for (const char* code : {"ZZB", "ABC"})
        ChequeFormatStore::insert(env.db(), distinctFormat(QString::fromLatin1(code)));
    for (int saveChange : {0, 1}) {
        SettingsStore::writeRememberedChoices(env.db(), 7, 1, QStringLiteral("UPPER CASE"));
        SettingsStore::writeOptions(env.db(), saveChange, 0, 0, QStringLiteral("dd/mm/yy"));
        open();
        payee->setFocus();
        QTest::keyClicks(payee->lineEdit(), QStringLiteral("ACME"));
        QTest::keyClick(payee->lineEdit(), Qt::Key_Tab);
        EXPECT_EQ(window->chequeRequest().payee, QStringLiteral("ACME"));
        widget<QComboBox>(window, "cboBank")->setCurrentIndex(1);
        QTest::mouseClick(widget<QCheckBox>(window, "chkPrintDate"), Qt::LeftButton);
        window->close();
        const auto stored = SettingsStore::read(env.db());
        EXPECT_EQ(std::pair(stored->bankIndex, stored->printDate),
                  saveChange ? std::pair(1, 0) : std::pair(7, 1));
    }
}

}  // namespace
