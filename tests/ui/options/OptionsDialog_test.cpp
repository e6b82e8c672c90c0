#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

#include "platform/AppInfo.h"
#include "store/CompanyStore.h"
#include "store/SettingsStore.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "support/Widgets.h"
#include "ui/main/MainWindow.h"
#include "ui/options/OptionsDialog.h"

namespace {

using Answer = Dialogs::Answer;

class OptionsDialogTest : public ::testing::Test {
protected:
    TestEnv env;
    MainWindow main{env.context};
    std::unique_ptr<OptionsDialog> window;

    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        SettingsStore::writeOptions(env.db(), 0, 0, 0, QStringLiteral("dd/mm/yyyy"));
        ASSERT_TRUE(main.load());
    }
    void TearDown() override {
        window.reset();
        QLocale::setDefault(QLocale::system());
    }
    // Opens the window on its payee page with `payees` stored, the first selected.
    void open(std::initializer_list<const char*> payees = {}, int tab = 1) {
        window.reset();
        env.db().write(QStringLiteral("DELETE FROM Company"));
        for (const char* p : payees) CompanyStore::insert(env.db(), QString::fromUtf8(p));
        window = std::make_unique<OptionsDialog>(env.context, main.settings(), &main);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        widget<QTabWidget>(window, "TabStrip1")->setCurrentIndex(tab);
        env.dialogs.clear();
    }
    void click(const char* button) {
        QTest::mouseClick(widget<QPushButton>(window, button), Qt::LeftButton);
    }
    QLineEdit* name() { return widget<QLineEdit>(window, "txtName"); }
    QStringList stored() {
        QStringList out;
        for (const Payee& p : CompanyStore::listByName(env.db())) out << p.name;
        return out;
    }
    bool editing() {
        return name()->isEnabled() && widget<QLabel>(window, "lblStatus")->isVisible();
    }
};

TEST_F(OptionsDialogTest, GeneralPageShowsStoresAndRestoresTheOptions) {
    setSetting(main, &UserSettings::clearData, 7);  // any nonzero value is on
    open({}, 0);
    EXPECT_TRUE(widget<QCheckBox>(window, "chkClearData")->isChecked());
    EXPECT_FALSE(widget<QCheckBox>(window, "chkSaveChange")->isChecked());
    EXPECT_FALSE(widget<QCheckBox>(window, "chkAlertUser")->isChecked());
    EXPECT_EQ(widget<QLabel>(window, "lblSampleDate")->text(),
              QStringLiteral("Date sample: \r\n05/12/2026"));

    // Leaving the pattern's box shows today in it.
    QLineEdit* date = widget<QLineEdit>(window, "txtDate");
    date->setFocus();
    date->selectAll();
    QTest::keyClicks(date, QStringLiteral("On ddd d mmmm yy"));
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_EQ(widget<QLabel>(window, "lblSampleDate")->text(),
              QStringLiteral("Date sample: \r\nOn Sat 5 December 26"));

    env.dialogs.answer({Answer::No, Answer::Yes});
    click("cmdDefault");
    EXPECT_FALSE(widget<QCheckBox>(window, "chkSaveChange")->isChecked());
    click("cmdDefault");
    EXPECT_EQ(env.dialogs.texts(), QStringList(2, QStringLiteral("Set default settings?")));
    for (const char* box : {"chkAlertUser", "chkClearData", "chkSaveChange"})
        EXPECT_TRUE(widget<QCheckBox>(window, box)->isChecked()) << box;
    EXPECT_EQ(widget<QLabel>(window, "lblSampleDate")->text(),
              QStringLiteral("Date sample: \r\n05 Dec 2026"));

    // A failed store keeps the window open and the settings as they were.
    env.db().executeScript(QStringLiteral("ALTER TABLE Settings RENAME TO Elsewhere;"));
    click("cmdOK");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->settings().saveChange, 0);
    env.db().executeScript(QStringLiteral("ALTER TABLE Elsewhere RENAME TO Settings;"));
    click("cmdOK");
    EXPECT_FALSE(window->isVisible());
    const auto s = SettingsStore::read(env.db());
    EXPECT_EQ(std::tuple(s->saveChange, s->clearData, s->alertUser, s->dateFormat),
              std::tuple(1, 1, true, QStringLiteral("dd mmm yyyy")));
    EXPECT_EQ(window->settings().dateFormat, QStringLiteral("dd mmm yyyy"));
}

TEST_F(OptionsDialogTest, PayeesAreAddedAndRenamedExactlyAfterTheSaveQuestion) {
    open({"zeta Traders", "Alpha Sdn Bhd"});
    QTreeWidget* list = widget<QTreeWidget>(window, "LVRecipients");
    EXPECT_EQ(list->topLevelItem(1)->text(0) + list->topLevelItem(1)->text(1),
              QStringLiteral("2zeta Traders"));
    EXPECT_TRUE(list->isColumnHidden(2));
    EXPECT_EQ(name()->text(), QStringLiteral("Alpha Sdn Bhd"));

    click("cmdAdd");
    EXPECT_TRUE(editing());
    name()->insert(QStringLiteral("\u00dcnal \"Best\" Ltd"));
    QTest::keyClick(name(), Qt::Key_Return);  // Enter asks; it does not press OK
    EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("Save recipient's name?")});
    EXPECT_TRUE(window->isVisible());

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(1)).center());
    click("cmdEdit");
    QTest::keyClicks(name(), QStringLiteral(" & Sons"));
    QTest::keyClick(name(), Qt::Key_Tab);  // leaving the box asks too
    EXPECT_EQ(stored(),
              (QStringList{QStringLiteral("Alpha Sdn Bhd"), QStringLiteral("zeta Traders & Sons"),
                           QStringLiteral("\u00dcnal \"Best\" Ltd")}));
    EXPECT_FALSE(editing());
}

// The answers to the save question (and to the blank-name question that Yes may
// bring) and how the edit ends: by Enter, by the close box or by Escape.
TEST_F(OptionsDialogTest, EndingAnEdit) {
    enum How { Enter, Close, Escape };
    struct Case {
        How how;
        const char* typed;
        std::initializer_list<Answer> answers;
        const char* stored;
        bool stillEditing;
    };
    const Case cases[] = {
        {Enter, " Ltd", {Answer::Yes}, "Able Ltd", false},
        {Enter, " Ltd", {Answer::No}, "Able", false},
        {Enter, " Ltd", {Answer::Cancel}, "Able", true},
        {Escape, " Ltd", {Answer::Yes}, "Able Ltd", false},
        {Close, " Ltd", {Answer::No}, "Able", false},
        {Close, " Ltd", {Answer::Cancel}, "Able", true},
        {Enter, nullptr, {Answer::Yes, Answer::No}, "Able", true},    // blank: go on editing
        {Enter, nullptr, {Answer::Yes, Answer::Yes}, "Able", false},  // blank: cancel the save
    };
    for (const Case& c : cases) {
        open({"Able"});
        click("cmdEdit");
        if (c.typed) {
            QTest::keyClicks(name(), QString::fromLatin1(c.typed));
        } else {
            name()->clear();
            QTest::keyClicks(name(), QStringLiteral("   "));
        }
        env.dialogs.answer(c.answers);
        if (c.how == Enter) QTest::keyClick(name(), Qt::Key_Return);
        if (c.how == Escape) QTest::keyClick(name(), Qt::Key_Escape);
        if (c.how == Close) window->close();
        EXPECT_EQ(env.dialogs.messages.size(), c.answers.size());
        if (!c.typed) {
            EXPECT_EQ(env.dialogs.texts().last(),
                      QStringLiteral("No blank name is allowed. Cancel save?"));
        }
        EXPECT_EQ(stored(), QStringList{QString::fromLatin1(c.stored)});
        EXPECT_EQ(editing(), c.stillEditing) << &c - cases;
        EXPECT_EQ(window->isVisible(), c.how == Enter || c.stillEditing);
        if (c.stillEditing) {
            EXPECT_TRUE(name()->hasFocus());
        }
    }
    // Switching to another window is not leaving the box.
    open({"Able"});
    click("cmdEdit");
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(env.dialogs.messages.empty());
    EXPECT_TRUE(editing());
}

TEST_F(OptionsDialogTest, DeleteAsksAndTheMainWindowOpensTheWindowModally) {
    open({"O'Neil"});
    env.dialogs.answer({Answer::No, Answer::Yes});
    click("cmdDelete");
    click("cmdDelete");
    EXPECT_EQ(env.dialogs.texts(),
              QStringList(2, QStringLiteral("Are you sure you want to delete O'Neil?")));
    EXPECT_TRUE(stored().isEmpty());
    click("cmdEdit");
    click("cmdDelete");
    EXPECT_EQ(env.dialogs.messages.size(), 2u);  // nothing to edit or delete
    EXPECT_FALSE(editing());

    window->show();
    widget<QTabWidget>(window, "TabStrip1")->setCurrentIndex(2);
    QTest::mouseClick(widget<QLabel>(window, "lblLink"), Qt::LeftButton);
    EXPECT_EQ(env.shell.opened, QStringList{AppInfo::webAddress()});

    window.reset();
    env.dialogs.onNextModal([](QDialog* dialog) {
        widget<QCheckBox>(dialog, "chkAlertUser")->click();
        QTest::mouseClick(widget<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    main.show();
    QTest::mouseClick(widget<QPushButton>(main, "cmdOption"), Qt::LeftButton);
    EXPECT_EQ(env.dialogs.modalWindows, std::vector<QString>{QStringLiteral("frmOptions")});
    EXPECT_TRUE(main.settings().alertUser);
    EXPECT_TRUE(main.findChildren<OptionsDialog*>().isEmpty());  // destroyed when closed
}

}  // namespace
