#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

#include "store/CompanyStore.h"
#include "store/SettingsStore.h"
#include "platform/AppInfo.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "ui/main/MainWindow.h"
#include "ui/options/OptionsDialog.h"
#include "support/Widgets.h"

namespace {

using Answer = Dialogs::Answer;

class OptionsDialogTest : public ::testing::Test {
protected:
    TestEnv env;
    MainWindow main{env.context};
    std::unique_ptr<OptionsDialog> window;

    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        // Options that differ from the defaults, so that defaults and OK show.
        SettingsStore::writeOptions(env.db(), 0, 0, 0, QStringLiteral("dd/mm/yyyy"));
        ASSERT_TRUE(main.load());
    }
    void TearDown() override {
        window.reset();
        QLocale::setDefault(QLocale::system());
    }

    void open() {
        window = std::make_unique<OptionsDialog>(env.context, main.settings(), &main);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    template <typename T>
    T* find(const char* name) {
        auto* widget = window->findChild<T*>(QString::fromLatin1(name));
        if (!widget) ADD_FAILURE() << "no " << name;
        return widget;
    }
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    void showTab(int index) {
        QTabBar* bar = find<QTabWidget>("TabStrip1")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    QTreeWidget* list() { return find<QTreeWidget>("LVRecipients"); }
    QLineEdit* name() { return find<QLineEdit>("txtName"); }
    QLabel* status() { return find<QLabel>("lblStatus"); }
    void clickRow(int row) {
        QTreeWidget* lv = list();
        QTest::mouseClick(lv->viewport(), Qt::LeftButton, {},
                          lv->visualItemRect(lv->topLevelItem(row)).center());
    }
    QStringList rows() {
        QStringList out;
        for (int i = 0; i < list()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list()->topLevelItem(i);
            out << item->text(0) + QLatin1Char('|') + item->text(1);
        }
        return out;
    }
    QStringList stored() {
        QStringList out;
        for (const Payee& p : CompanyStore::listByName(env.db())) out << p.name;
        return out;
    }
    bool editing() { return name()->isEnabled() && status()->isVisible(); }
    const FakeDialogs::Shown& lastMessage() { return env.dialogs.messages.back(); }
};

TEST_F(OptionsDialogTest, OpensWithTheMainWindowsSettingsAndItsPages) {
    setSetting(main, &UserSettings::alertUser, true);
    setSetting(main, &UserSettings::clearData, 7);  // any nonzero value is on
    open();
    EXPECT_EQ(window->objectName(), QStringLiteral("frmOptions"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Options"));
    EXPECT_TRUE(find<QCheckBox>("chkAlertUser")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("chkClearData")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chkSaveChange")->isChecked());
    EXPECT_EQ(find<QCheckBox>("chkAlertUser")->text(),
              QStringLiteral("Alert user if the 'Pay To'  field is not filled"));
    EXPECT_EQ(find<QLineEdit>("txtDate")->text(), QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(find<QLabel>("lblSampleDate")->text(), QStringLiteral("Date sample: \r\n05/12/2026"));

    QTabWidget* tabs = find<QTabWidget>("TabStrip1");
    ASSERT_EQ(tabs->count(), 3);
    const char* pages[] = {"PicTab0", "PicTab1", "PicTab2"};
    const QString captions[] = {QStringLiteral("General"), QStringLiteral("Edit Recipients"),
                                QStringLiteral("About")};
    for (int tab = 0; tab < 3; ++tab) {
        EXPECT_EQ(tabs->tabText(tab), captions[tab]);
        showTab(tab);
        for (int page = 0; page < 3; ++page)
            EXPECT_EQ(find<QWidget>(pages[page])->isVisible(), page == tab) << tab << page;
    }
    EXPECT_EQ(find<QLabel>("lblTitle")->text(), AppInfo::title());
    EXPECT_EQ(find<QLabel>("lblVersion")->text(), QStringLiteral("Version 1.0 (Build 1)"));
    EXPECT_FALSE(find<QLabel>("imgLogo")->pixmap().isNull());
}

TEST_F(OptionsDialogTest, DefaultsFollowedByCancelChangeNothing) {
    open();
    const auto before = SettingsStore::read(env.db());
    env.dialogs.answer({Answer::No});
    click("cmdDefault");
    ASSERT_EQ(env.dialogs.messages.size(), 1u);
    EXPECT_EQ(lastMessage().text, QStringLiteral("Set default settings?"));
    EXPECT_EQ(lastMessage().title, QStringLiteral("Default Settings"));
    EXPECT_EQ(lastMessage().icon, Dialogs::Icon::None);
    EXPECT_EQ(lastMessage().buttons, Dialogs::Buttons::YesNo);
    EXPECT_FALSE(find<QCheckBox>("chkSaveChange")->isChecked());

    env.dialogs.answer({Answer::Yes});
    click("cmdDefault");
    for (const char* box : {"chkAlertUser", "chkClearData", "chkSaveChange"})
        EXPECT_TRUE(find<QCheckBox>(box)->isChecked()) << box;
    EXPECT_EQ(find<QLineEdit>("txtDate")->text(), QStringLiteral("dd mmm yyyy"));
    EXPECT_EQ(find<QLabel>("lblSampleDate")->text(),
              QStringLiteral("Date sample: \r\n05 Dec 2026"));

    click("cmdCancel");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
    const auto after = SettingsStore::read(env.db());
    EXPECT_EQ(after->saveChange, before->saveChange);
    EXPECT_EQ(after->clearData, before->clearData);
    EXPECT_EQ(after->alertUser, before->alertUser);
    EXPECT_EQ(after->dateFormat, before->dateFormat);
    EXPECT_EQ(window->settings().saveChange, 0);
    EXPECT_EQ(window->settings().clearData, 0);
    EXPECT_FALSE(window->settings().alertUser);
    EXPECT_EQ(window->settings().dateFormat, QStringLiteral("dd/mm/yyyy"));
}

TEST_F(OptionsDialogTest, OkStoresTheFourOptionsAndHandsThemBack) {
    env.db().write(
        QStringLiteral("UPDATE Settings SET BankIndex = 3, PrintDate = 0, "
                       "WordCase = 'Proper Case'"));
    open();
    QTest::keyClick(find<QCheckBox>("chkAlertUser"), Qt::Key_Space);
    QTest::keyClick(find<QCheckBox>("chkSaveChange"), Qt::Key_Space);
    QLineEdit* date = find<QLineEdit>("txtDate");
    date->setFocus();
    QTest::keyClick(date, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(date, QStringLiteral("dddd, d mmmm yy"));
    click("cmdOK");

    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_FALSE(window->isVisible());
    const auto s = SettingsStore::read(env.db());
    EXPECT_EQ(s->saveChange, 1);
    EXPECT_EQ(s->clearData, 0);
    EXPECT_TRUE(s->alertUser);
    EXPECT_EQ(s->dateFormat, QStringLiteral("dddd, d mmmm yy"));
    // The main window's remembered choices are not part of the options.
    EXPECT_EQ(s->bankIndex, 3);
    EXPECT_EQ(s->printDate, 0);
    EXPECT_EQ(s->wordCase, QStringLiteral("Proper Case"));
    EXPECT_EQ(window->settings().saveChange, 1);
    EXPECT_EQ(window->settings().clearData, 0);
    EXPECT_TRUE(window->settings().alertUser);
    EXPECT_EQ(window->settings().dateFormat, QStringLiteral("dddd, d mmmm yy"));
}

TEST_F(OptionsDialogTest, AFailedStoreKeepsTheWindowOpenAndTheSettingsUnchanged) {
    open();
    QTest::keyClick(find<QCheckBox>("chkSaveChange"), Qt::Key_Space);
    env.db().executeScript(QStringLiteral("ALTER TABLE Settings RENAME TO Elsewhere;"));
    click("cmdOK");
    ASSERT_EQ(env.dialogs.messages.size(), 1u);
    EXPECT_EQ(lastMessage().title, QStringLiteral("Error"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->settings().saveChange, 0);
}

TEST_F(OptionsDialogTest, LeavingTheDateBoxShowsTodayInTheNewPattern) {
    open();
    QLineEdit* date = find<QLineEdit>("txtDate");
    date->setFocus();
    QTest::keyClick(date, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(date, QStringLiteral("On DDD d MMMM yyyy"));
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_FALSE(date->hasFocus());
    EXPECT_EQ(find<QLabel>("lblSampleDate")->text(),
              QStringLiteral("Date sample: \r\nOn Sat 5 December 2026"));
}

TEST_F(OptionsDialogTest, PayeeListIsNumberedInNameOrderWithAHiddenId) {
    for (const char* payee : {"zeta Traders", "Alpha Sdn Bhd", "mike & Co"})
        CompanyStore::insert(env.db(), QString::fromUtf8(payee));
    open();
    showTab(1);
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("1|Alpha Sdn Bhd"), QStringLiteral("2|mike & Co"),
                                   QStringLiteral("3|zeta Traders")}));
    QTreeWidget* lv = list();
    EXPECT_EQ(lv->headerItem()->text(0), QStringLiteral("No"));
    EXPECT_EQ(lv->headerItem()->text(1), QStringLiteral("Name"));
    EXPECT_TRUE(lv->isColumnHidden(2));
    const Payee mike = CompanyStore::listByName(env.db()).at(1);
    EXPECT_EQ(lv->topLevelItem(1)->text(2), QString::number(mike.id));
    EXPECT_EQ(name()->text(), QStringLiteral("Alpha Sdn Bhd"));
    EXPECT_FALSE(name()->isEnabled());
    EXPECT_FALSE(status()->isVisible());
    clickRow(2);
    EXPECT_EQ(name()->text(), QStringLiteral("zeta Traders"));
}

TEST_F(OptionsDialogTest, AddStoresNamesExactly) {
    open();
    showTab(1);
    const QStringList names = {QStringLiteral("O'Brien \"Best\" Ltd"),
                               QStringLiteral("\u00dcnal \u00c7elik & S\u00f8ns"),
                               QStringLiteral("\u674e\u5c0f\u9f99")};
    for (const QString& payee : names) {
        click("cmdAdd");
        EXPECT_EQ(status()->text(), QStringLiteral(" Add "));
        EXPECT_TRUE(editing());
        EXPECT_TRUE(name()->hasFocus());
        EXPECT_EQ(name()->text(), QString());
        name()->insert(payee);  // typed text, including what a keyboard layout would give
        env.dialogs.answer({Answer::Yes});
        QTest::keyClick(name(), Qt::Key_Return);
        EXPECT_EQ(lastMessage().text, QStringLiteral("Save recipient's name?"));
        EXPECT_EQ(lastMessage().title, QStringLiteral("Save"));
        EXPECT_EQ(lastMessage().buttons, Dialogs::Buttons::YesNoCancel);
        EXPECT_EQ(lastMessage().icon, Dialogs::Icon::None);
        EXPECT_FALSE(editing());
        EXPECT_TRUE(window->isVisible());  // Enter does not press OK
    }
    env.reopen();
    EXPECT_EQ(stored().size(), names.size());
    for (const QString& payee : names) EXPECT_TRUE(stored().contains(payee)) << payee.toStdString();
    EXPECT_EQ(list()->topLevelItemCount(), 3);
}

TEST_F(OptionsDialogTest, EditRenamesTheSelectedPayeeWhenTheBoxIsLeft) {
    for (const char* payee : {"Able", "Baker", "Charlie"})
        CompanyStore::insert(env.db(), QString::fromUtf8(payee));
    open();
    showTab(1);
    clickRow(1);
    click("cmdEdit");
    EXPECT_EQ(status()->text(), QStringLiteral(" Edit "));
    EXPECT_TRUE(name()->hasFocus());
    EXPECT_EQ(name()->cursorPosition(), 5);
    QTest::keyClicks(name(), QStringLiteral(" & Sons"));
    env.dialogs.answer({Answer::Yes});
    QTest::keyClick(name(), Qt::Key_Tab);
    EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("Save recipient's name?")});
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("Able"), QStringLiteral("Baker & Sons"),
                                     QStringLiteral("Charlie")}));
    EXPECT_EQ(rows().at(1), QStringLiteral("2|Baker & Sons"));
    EXPECT_FALSE(editing());
}

TEST_F(OptionsDialogTest, NoToTheSaveQuestionDropsTheEdit) {
    CompanyStore::insert(env.db(), QStringLiteral("Able"));
    open();
    showTab(1);
    click("cmdEdit");
    QTest::keyClicks(name(), QStringLiteral("xyz"));
    env.dialogs.answer({Answer::No});
    QTest::keyClick(name(), Qt::Key_Return);
    EXPECT_FALSE(editing());
    EXPECT_EQ(name()->text(), QStringLiteral("Able"));
    EXPECT_EQ(stored(), QStringList{QStringLiteral("Able")});
}

// Closing the window (Escape or the close box) during an edit asks the save
// question: Yes stores and closes, No drops the edit and closes, Cancel stays.
TEST_F(OptionsDialogTest, ClosingDuringAnEditAsksFirst) {
    struct Case {
        Answer answer;
        bool escape;
        const char* stored;
        bool open;
    };
    const Case cases[] = {{Answer::Yes, true, "Able Ltd", false},
                          {Answer::No, false, "Able", false},
                          {Answer::Cancel, true, "Able", true},
                          {Answer::Cancel, false, "Able", true}};
    for (const Case& c : cases) {
        env.db().write(QStringLiteral("DELETE FROM Company"));
        CompanyStore::insert(env.db(), QStringLiteral("Able"));
        open();
        showTab(1);
        click("cmdEdit");
        QTest::keyClicks(name(), QStringLiteral(" Ltd"));
        env.dialogs.clear();
        env.dialogs.answer({c.answer});
        if (c.escape)
            QTest::keyClick(name(), Qt::Key_Escape);
        else
            window->close();
        EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("Save recipient's name?")});
        EXPECT_EQ(stored(), QStringList{QString::fromUtf8(c.stored)});
        EXPECT_EQ(window->isVisible(), c.open);
        EXPECT_EQ(editing(), c.open);
    }
}

TEST_F(OptionsDialogTest, EnterThenCancelKeepsTheEditOpen) {
    CompanyStore::insert(env.db(), QStringLiteral("Able"));
    open();
    showTab(1);
    click("cmdEdit");
    QTest::keyClicks(name(), QStringLiteral(" Ltd"));
    env.dialogs.answer({Answer::Cancel});
    QTest::keyClick(name(), Qt::Key_Return);
    EXPECT_TRUE(editing());
    EXPECT_TRUE(name()->hasFocus());
    EXPECT_EQ(status()->text(), QStringLiteral(" Edit "));
    EXPECT_EQ(stored(), QStringList{QStringLiteral("Able")});
    // Still usable: typing goes on and the next Enter saves.
    QTest::keyClicks(name(), QStringLiteral(" Co"));
    env.dialogs.answer({Answer::Yes});
    QTest::keyClick(name(), Qt::Key_Return);
    EXPECT_EQ(stored(), QStringList{QStringLiteral("Able Ltd Co")});
    EXPECT_EQ(env.dialogs.messages.size(), 2u);
}

TEST_F(OptionsDialogTest, SwitchingToAnotherWindowIsNotLeavingTheBox) {
    CompanyStore::insert(env.db(), QStringLiteral("Able"));
    open();
    showTab(1);
    click("cmdEdit");
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(env.dialogs.messages.empty());
    EXPECT_TRUE(editing());
    EXPECT_TRUE(name()->hasFocus());
}

TEST_F(OptionsDialogTest, RenamingToABlankName) {
    CompanyStore::insert(env.db(), QStringLiteral("Able"));
    open();
    showTab(1);
    const QString blank = QStringLiteral("No blank name is allowed. Cancel save?");

    // No: the edit goes on with the focus in the box; nothing is stored.
    click("cmdEdit");
    name()->clear();
    QTest::keyClicks(name(), QStringLiteral("  "));
    env.dialogs.answer({Answer::Yes, Answer::No});
    QTest::keyClick(name(), Qt::Key_Return);
    EXPECT_EQ(lastMessage().text, blank);
    EXPECT_EQ(lastMessage().title, AppInfo::title());
    EXPECT_EQ(lastMessage().buttons, Dialogs::Buttons::YesNo);
    EXPECT_TRUE(editing());
    EXPECT_TRUE(name()->hasFocus());
    EXPECT_EQ(stored(), QStringList{QStringLiteral("Able")});

    // Yes: the save is cancelled and the list shows the payee again.
    env.dialogs.answer({Answer::Yes, Answer::Yes});
    QTest::keyClick(name(), Qt::Key_Return);
    EXPECT_EQ(env.dialogs.texts().count(blank), 2);
    EXPECT_FALSE(editing());
    EXPECT_EQ(name()->text(), QStringLiteral("Able"));
    EXPECT_EQ(stored(), QStringList{QStringLiteral("Able")});
    EXPECT_EQ(rows(), QStringList{QStringLiteral("1|Able")});
}

TEST_F(OptionsDialogTest, ClickingAnotherRowDuringAnEditDoesNotRedirectIt) {
    for (const char* payee : {"Able", "Baker", "Charlie"})
        CompanyStore::insert(env.db(), QString::fromUtf8(payee));
    open();
    showTab(1);
    click("cmdEdit");  // "Able", the first row
    QTest::keyClicks(name(), QStringLiteral(" One"));
    env.dialogs.answer({Answer::Cancel});
    clickRow(2);
    EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("Save recipient's name?")});
    EXPECT_TRUE(editing());
    EXPECT_EQ(name()->text(), QStringLiteral("Able One"));
    env.dialogs.answer({Answer::Yes});
    QTest::keyClick(name(), Qt::Key_Return);
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("Able One"), QStringLiteral("Baker"),
                                     QStringLiteral("Charlie")}));
}

TEST_F(OptionsDialogTest, DeletingTheOnlyPayeeLeavesEditAndDeleteInert) {
    CompanyStore::insert(env.db(), QStringLiteral("O'Neil"));
    open();
    showTab(1);
    env.dialogs.answer({Answer::No});
    click("cmdDelete");
    EXPECT_EQ(lastMessage().text, QStringLiteral("Are you sure you want to delete O'Neil?"));
    EXPECT_EQ(lastMessage().title, AppInfo::title());
    EXPECT_EQ(lastMessage().buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(stored(), QStringList{QStringLiteral("O'Neil")});

    env.dialogs.answer({Answer::Yes});
    click("cmdDelete");
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_EQ(list()->topLevelItemCount(), 0);
    EXPECT_EQ(name()->text(), QString());

    env.dialogs.clear();
    click("cmdEdit");
    click("cmdDelete");
    EXPECT_TRUE(env.dialogs.messages.empty());
    EXPECT_FALSE(editing());
}

TEST_F(OptionsDialogTest, TheLinkOpensTheWebAddress) {
    open();
    showTab(2);
    QLabel* link = find<QLabel>("lblLink");
    EXPECT_EQ(link->text(), AppInfo::webAddress());
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(env.shell.opened, QStringList{AppInfo::webAddress()});
}

TEST_F(OptionsDialogTest, TheMainWindowsOptionsButtonOpensTheWindowModally) {
    main.show();
    CompanyStore::insert(env.db(), QStringLiteral("Stored Payee"));
    env.dialogs.onNextModal([](QDialog* dialog) {
        EXPECT_EQ(dialog->parentWidget()->objectName(), QStringLiteral("frmMain"));
        auto* lv = dialog->findChild<QTreeWidget*>(QStringLiteral("LVRecipients"));
        EXPECT_EQ(lv->topLevelItemCount(), 1);
        QTest::keyClick(dialog->findChild<QCheckBox*>(QStringLiteral("chkClearData")),
                        Qt::Key_Space);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    QTest::mouseClick(main.findChild<QPushButton*>(QStringLiteral("cmdOption")), Qt::LeftButton);
    EXPECT_EQ(env.dialogs.modalWindows, std::vector<QString>{QStringLiteral("frmOptions")});
    EXPECT_EQ(main.settings().clearData, 1);
    EXPECT_EQ(SettingsStore::read(env.db())->clearData, 1);
    EXPECT_TRUE(main.findChildren<OptionsDialog*>().isEmpty());  // destroyed when closed
}

}  // namespace
