#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "store/CompanyStore.h"
#include "store/SettingsStore.h"
#include "support/TestEnv.h"
#include "ui/main/MainWindow.h"
#include "support/Widgets.h"

namespace {

void insertBank(Database& db, const QString& code, const QString& name) {
    db.write(QStringLiteral(
                 "INSERT INTO BankCheque SELECT NULL, ?, ?, 1, '[Default]', 'L', 0, 0, 0, 0, 0, "
                 "0,0,0,'Arial',9,'False', 0,0,0,'Arial',9,'False', 0,0,0,'Arial',9,'False', "
                 "0,0,0,'Arial',9,'False', 0,0,0,'Arial',9,'False', 0,0,0, 0,0,0, 0,0,0, 0,0,0, "
                 "0,0,0, 0,0,0, 0,0,0, 0,0,0, 'Arial',9,'False'"),
             {name, code});
}

class MainWindowTest : public ::testing::Test {
protected:
    void open() {
        window = std::make_unique<MainWindow>(env.context);
        ASSERT_TRUE(window->load());
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        amount = window->findChild<QLineEdit*>(QStringLiteral("txtAmount"));
        print = window->findChild<QPushButton*>(QStringLiteral("cmdPrint"));
        ASSERT_TRUE(amount && print);
    }

    // Types into the amount box from scratch and leaves it with Tab.
    QString typeAmount(const QString& keys) {
        amount->setFocus();
        amount->clear();
        QTest::keyClicks(amount, keys);
        QTest::keyClick(amount, Qt::Key_Tab);
        return amount->text();
    }

    TestEnv env;
    std::unique_ptr<MainWindow> window;
    QLineEdit* amount = nullptr;
    QPushButton* print = nullptr;
};

TEST_F(MainWindowTest, ControlsCarryTheirTexts) {
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvanta - Solo Edition"));
    EXPECT_EQ(print->text(), QStringLiteral("  Print"));
    auto* edit = window->findChild<QPushButton*>(QStringLiteral("cmdEditCheque"));
    EXPECT_EQ(edit->text(), QStringLiteral("Edit Cheques"));
    EXPECT_EQ(edit->toolTip(), QStringLiteral("Cheque book adjustment"));
    EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("cmdOption"))->text(),
              QStringLiteral("Options"));
    EXPECT_EQ(window->findChild<QComboBox*>(QStringLiteral("cboRecipient"))->toolTip(),
              QStringLiteral("Payee's name"));
    EXPECT_EQ(amount->toolTip(), QStringLiteral("Amount pay to payee"));
    EXPECT_EQ(window->findChild<QCheckBox*>(QStringLiteral("chkPrintDate"))->text(),
              QStringLiteral("Print date"));
    EXPECT_EQ(widget<QDateEdit>(window, "DatePicker")->date(), env.clock.current.date());
}

TEST_F(MainWindowTest, AmountIsRewrittenWhenLeft) {
    open();
    const std::pair<const char*, const char*> cases[] = {
        {"1234.5", "1,234.50"}, {"1.005", "1.01"}, {"0.125", "0.13"}, {".5", "0.50"},
        {"1234567890123.456", "1,234,567,890,123.46"}, {"", ""}, {"1,2,3", "123.00"},
        {"..", ".."},
    };
    for (const auto& [keys, expected] : cases)
        EXPECT_EQ(typeAmount(QString::fromUtf8(keys)), QString::fromUtf8(expected)) << keys;
}

TEST_F(MainWindowTest, OtherCharactersAreDroppedAndMoveTheFocusOn) {
    open();
    amount->setFocus();
    QTest::keyClicks(amount, QStringLiteral("12"));
    QTest::keyClick(amount, Qt::Key_A);
    EXPECT_FALSE(amount->hasFocus());
    EXPECT_EQ(amount->text(), QStringLiteral("12.00"));  // rewritten on leaving
    EXPECT_TRUE(widget<QDateEdit>(window, "DatePicker")->hasFocus() ||
                widget<QDateEdit>(window, "DatePicker")->isAncestorOf(QApplication::focusWidget()));

    amount->setFocus();
    QTest::keyClick(amount, Qt::Key_End);
    QTest::keyClick(amount, Qt::Key_Backspace);
    EXPECT_TRUE(amount->hasFocus());
    EXPECT_EQ(amount->text(), QStringLiteral("12.0"));
}

TEST_F(MainWindowTest, FocusSelectsTheWholeAmount) {
    open();
    amount->setText(QStringLiteral("1,234.50"));
    widget<QComboBox>(window, "cboRecipient")->setFocus();
    QTest::mouseClick(amount, Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_EQ(amount->selectedText(), QStringLiteral("1,234.50"));
}

TEST_F(MainWindowTest, PrintChecksInOrder) {
    open();
    // No formats at all.
    amount->clear();
    QTest::mouseClick(print, Qt::LeftButton);
    ASSERT_EQ(env.dialogs.messages.size(), 1u);
    EXPECT_EQ(env.dialogs.messages[0].text,
              QStringLiteral("Please chose a Bank cheque format or there is no bank cheque format "
                             "available!\r\nYou can click on Edit Cheques button to add or edit "
                             "bank cheque format."));
    EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Quorvanta Solo"));
    EXPECT_EQ(env.dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_TRUE(widget<QComboBox>(window, "cboBank")->hasFocus());

    insertBank(env.db(), QStringLiteral("MBB"), QStringLiteral("Maybank"));
    window->retrieveBanks();

    struct Step {
        const char* amount;
        const char* payee;
        bool alertUser;
        const char* message;  // nullptr: no message
        const char* focus;
    };
    const Step steps[] = {
        {"", "", true, "No empty Amount field is allowed.", "txtAmount"},
        {"", "Someone", false, "No empty Amount field is allowed.", "txtAmount"},
        {"12x", "Someone", true, "Invalid amount.", "txtAmount"},
        {"-5", "Someone", true, "Invalid amount.", "txtAmount"},
        {"1000000000000", "Someone", true, "Invalid amount. Amount can't exceed trillion value.",
         "txtAmount"},
        {"5", "", true, "No emtpy Pay To field is allowed.", "cboRecipient"},
        {"5", "", false, nullptr, "cboRecipient"},
        {"5", "Someone", true, nullptr, "cboRecipient"},
    };
    for (const auto& step : steps) {
        env.dialogs.clear();
        setSetting(*window, &UserSettings::alertUser, step.alertUser);
        amount->setText(QString::fromUtf8(step.amount));  // as if pasted
        widget<QComboBox>(window, "cboRecipient")->setEditText(QString::fromUtf8(step.payee));
        QTest::mouseClick(print, Qt::LeftButton);
        if (step.message) {
            ASSERT_EQ(env.dialogs.messages.size(), 1u) << step.amount << "/" << step.payee;
            EXPECT_EQ(env.dialogs.messages[0].text, QString::fromUtf8(step.message));
            EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Error"));
        } else {
            EXPECT_TRUE(env.dialogs.messages.empty()) << step.amount << "/" << step.payee;
        }
        ASSERT_TRUE(QApplication::focusWidget());
        const QWidget* focus = QApplication::focusWidget();
        while (focus && focus->objectName().isEmpty()) focus = focus->parentWidget();
        EXPECT_EQ(focus->objectName(), QString::fromUtf8(step.focus)) << step.amount;
    }
    EXPECT_EQ(amount->text(), QStringLiteral("5.00"));
}

TEST_F(MainWindowTest, CheckRecipientStoresANewPayeeOnce) {
    CompanyStore::insert(env.db(), QStringLiteral("Known Ltd"));
    open();
    ASSERT_EQ(widget<QComboBox>(window, "cboRecipient")->count(), 1);
    widget<QComboBox>(window, "cboRecipient")->setEditText(QStringLiteral("O\"Brien & Sons"));
    window->checkRecipient();
    window->checkRecipient();
    widget<QComboBox>(window, "cboRecipient")->setEditText(QStringLiteral("Known Ltd"));
    window->checkRecipient();
    for (const char* blank : {"", "   ", "\t"}) {
        widget<QComboBox>(window, "cboRecipient")->setEditText(QString::fromUtf8(blank));
        window->checkRecipient();
    }
    const auto payees = CompanyStore::listByName(env.db());
    ASSERT_EQ(payees.size(), 2u);
    EXPECT_EQ(payees[1].name, QStringLiteral("O\"Brien & Sons"));
    ASSERT_EQ(widget<QComboBox>(window, "cboRecipient")->count(), 2);
    EXPECT_EQ(widget<QComboBox>(window, "cboRecipient")->itemText(1), QStringLiteral("O\"Brien & Sons"));
}

// The payee is what was typed: no stored name is completed into the box or
// taken for the typed text because it matches in another letter case.
TEST_F(MainWindowTest, ThePayeeBoxKeepsWhatWasTyped) {
    for (const char* name : {"ACME Holdings", "Alpha"})
        CompanyStore::insert(env.db(), QString::fromUtf8(name));
    open();
    auto* payee = widget<QComboBox>(window, "cboRecipient");
    const char* typed[] = {"ACME", "alpha", "Alp", "Alpha"};
    for (const char* text : typed) {
        payee->setFocus();
        payee->lineEdit()->clear();
        QTest::keyClicks(payee->lineEdit(), QString::fromUtf8(text));
        QTest::keyClick(payee->lineEdit(), Qt::Key_Tab);
        EXPECT_EQ(payee->currentText(), QString::fromUtf8(text));
        EXPECT_EQ(window->chequeRequest().payee, QString::fromUtf8(text));
    }
}

TEST_F(MainWindowTest, ListsAndSettingsAreRead) {
    insertBank(env.db(), QStringLiteral("ZZB"), QStringLiteral("Zed Bank"));
    insertBank(env.db(), QStringLiteral("ABC"), QStringLiteral("Alpha Bank"));
    CompanyStore::insert(env.db(), QStringLiteral("beta"));
    CompanyStore::insert(env.db(), QStringLiteral("Alpha"));
    SettingsStore::writeRememberedChoices(env.db(), 1, 0, QStringLiteral("Proper Case"));
    SettingsStore::writeOptions(env.db(), 1, 0, 0, QStringLiteral("dd/mm/yy"));
    open();
    ASSERT_EQ(widget<QComboBox>(window, "cboBank")->count(), 2);
    EXPECT_EQ(widget<QComboBox>(window, "cboBank")->itemText(0), QStringLiteral("ABC - Alpha Bank"));
    EXPECT_EQ(widget<QComboBox>(window, "cboBank")->currentIndex(), 1);
    EXPECT_EQ(widget<QComboBox>(window, "cboRecipient")->itemText(0), QStringLiteral("Alpha"));
    EXPECT_EQ(widget<QComboBox>(window, "cboRecipient")->itemText(1), QStringLiteral("beta"));
    EXPECT_FALSE(widget<QCheckBox>(window, "chkPrintDate")->isChecked());
    EXPECT_EQ(window->settings().saveChange, 1);
    EXPECT_EQ(window->settings().clearData, 0);
    EXPECT_FALSE(window->settings().alertUser);
    EXPECT_EQ(window->settings().dateFormat, QStringLiteral("dd/mm/yy"));
    EXPECT_EQ(window->settings().wordCase, QStringLiteral("Proper Case"));
}

TEST_F(MainWindowTest, BankIndexBeyondTheListSelectsTheFirst) {
    insertBank(env.db(), QStringLiteral("ABC"), QStringLiteral("Alpha Bank"));
    SettingsStore::writeRememberedChoices(env.db(), 7, 1, QStringLiteral("UPPER CASE"));
    open();
    EXPECT_EQ(widget<QComboBox>(window, "cboBank")->currentIndex(), 0);
}

TEST_F(MainWindowTest, RememberedChoicesAreWrittenOnlyWithSaveChange) {
    insertBank(env.db(), QStringLiteral("A1"), QStringLiteral("One"));
    insertBank(env.db(), QStringLiteral("B2"), QStringLiteral("Two"));
    for (int saveChange : {0, 1}) {
        SettingsStore::writeRememberedChoices(env.db(), 0, 1, QStringLiteral("UPPER CASE"));
        SettingsStore::writeOptions(env.db(), saveChange, 1, 1, QStringLiteral("dd mmm yyyy"));
        open();
        widget<QComboBox>(window, "cboBank")->setCurrentIndex(1);
        QTest::mouseClick(widget<QCheckBox>(window, "chkPrintDate"), Qt::LeftButton);
        setSetting(*window, &UserSettings::wordCase, QStringLiteral("Proper Case"));
        window->close();
        const auto stored = SettingsStore::read(env.db());
        ASSERT_TRUE(stored);
        if (saveChange) {
            EXPECT_EQ(stored->bankIndex, 1);
            EXPECT_EQ(stored->printDate, 0);
            EXPECT_EQ(stored->wordCase, QStringLiteral("Proper Case"));
        } else {
            EXPECT_EQ(stored->bankIndex, 0);
            EXPECT_EQ(stored->printDate, 1);
            EXPECT_EQ(stored->wordCase, QStringLiteral("UPPER CASE"));
        }
    }
}

TEST_F(MainWindowTest, AFailedSaveOnCloseIsReported) {
    open();
    env.db().write(QStringLiteral("DROP TABLE Settings"));
    window->close();
    ASSERT_EQ(env.dialogs.messages.size(), 1u);
    EXPECT_TRUE(env.dialogs.messages[0].text.contains(QStringLiteral("no such table")));
}

}  // namespace
