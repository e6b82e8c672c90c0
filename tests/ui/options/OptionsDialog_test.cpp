#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "store/CompanyStore.h"
#include "store/SettingsStore.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "support/Widgets.h"
#include "ui/main/MainWindow.h"
#include "ui/options/OptionsDialog.h"

namespace {

using Answer = Dialogs::Answer;
using namespace Qt::StringLiterals;

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
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
    void open(const char* payee, int tab) {
        env.db().write(QStringLiteral("DELETE FROM Company"));
        if (payee) CompanyStore::insert(env.db(), QString::fromUtf8(payee));
        window = std::make_unique<OptionsDialog>(env.context, main.settings(), &main);
        window->show();
        widget<QTabWidget>(window, "TabStrip1")->setCurrentIndex(tab);
        env.dialogs.clear();
    }
    void click(const char* button) { QTest::mouseClick(widget<QPushButton>(window, button), Qt::LeftButton); }
    QLineEdit* name() { return widget<QLineEdit>(window, "txtName"); }
    QStringList stored() {
        QStringList out;
        for (const Payee& p : CompanyStore::listByName(env.db())) out << p.name;
        return out;
    }
    QString sample() { return widget<QLabel>(window, "lblSampleDate")->text(); }
};

// Shown as stored (any nonzero Clear Data is on), sampled, restored to the defaults after the question,
// and kept open when storing fails.
TEST_F(OptionsDialogTest, GeneralPageShowsStoresAndRestoresTheOptions) {
    setSetting(main, &UserSettings::clearData, 7);
    open(nullptr, 0);
    EXPECT_TRUE(widget<QCheckBox>(window, "chkClearData")->isChecked());
    EXPECT_FALSE(widget<QCheckBox>(window, "chkAlertUser")->isChecked());
    EXPECT_EQ(sample(), QStringLiteral("Date sample: \r\n05/12/2026"));
    env.dialogs.answer({Answer::No, Answer::Yes});
    click("cmdDefault");
    EXPECT_FALSE(widget<QCheckBox>(window, "chkSaveChange")->isChecked());
    click("cmdDefault");
    EXPECT_EQ(sample(), QStringLiteral("Date sample: \r\n05 Dec 2026"));
    env.db().executeScript(QStringLiteral("ALTER TABLE Settings RENAME TO Elsewhere;"));
    click("cmdOK");
    EXPECT_TRUE(window->isVisible());
    env.db().executeScript(QStringLiteral("ALTER TABLE Elsewhere RENAME TO Settings;"));
    click("cmdOK");
    const auto s = SettingsStore::read(env.db());
    EXPECT_EQ(std::tuple(s->saveChange, s->clearData, s->alertUser, s->dateFormat),
              std::tuple(1, 1, true, u"dd mmm yyyy"_s));
}

// How a payee edit ends: the save question (and the blank-name question that Yes may bring), asked by
// Enter, Escape or closing the window.
TEST_F(OptionsDialogTest, EndingAnEdit) {
    enum How { Enter, Close, Escape };
    const struct {
        How how;
        const char* typed;  // null: the name is blanked
        std::initializer_list<Answer> answers;
        const char* stored;
        bool stillEditing;
    } cases[] = {
        {Enter, " & \"Sons\"", {Answer::Yes}, "Able & \"Sons\"", false},
        {Enter, " Ltd", {Answer::Cancel}, "Able", true}, {Escape, " Ltd", {Answer::Yes}, "Able Ltd", false},
        {Close, " Ltd", {Answer::No}, "Able", false}, {Close, " Ltd", {Answer::Cancel}, "Able", true},
        {Enter, nullptr, {Answer::Yes, Answer::No}, "Able", true},
        {Enter, nullptr, {Answer::Yes, Answer::Yes}, "Able", false},
    };
    for (const auto& c : cases) {
        open("Able", 1);
        click("cmdEdit");
        if (!c.typed) name()->clear();
        QTest::keyClicks(name(), QString::fromUtf8(c.typed ? c.typed : "   "));
        env.dialogs.answer(c.answers);
        if (c.how == Close) window->close();
        else QTest::keyClick(name(), c.how == Enter ? Qt::Key_Return : Qt::Key_Escape);
        SCOPED_TRACE(&c - cases);
        EXPECT_EQ(env.dialogs.texts().first(), QStringLiteral("Save recipient's name?"));
        EXPECT_EQ(env.dialogs.messages.size(), c.answers.size());
        EXPECT_EQ(stored(), QStringList{QString::fromUtf8(c.stored)});
        EXPECT_EQ(name()->isEnabled(), c.stillEditing);
        EXPECT_EQ(window->isVisible(), c.how == Enter || c.stillEditing);
    }
}

// The main window opens the options modally and takes the settings they return; a payee is deleted after the question.
TEST_F(OptionsDialogTest, OpenedFromTheMainWindowDeletesAndReturnsTheSettings) {
    env.dialogs.onNextModal([this](QDialog* dialog) {
        env.dialogs.answer({Answer::No, Answer::Yes});
        widget<QTabWidget>(dialog, "TabStrip1")->setCurrentIndex(1);
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(widget<QPushButton>(dialog, "cmdDelete"), Qt::LeftButton);
        widget<QCheckBox>(dialog, "chkAlertUser")->click();
        QTest::mouseClick(widget<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    CompanyStore::insert(env.db(), QStringLiteral("O'Neil"));
    QTest::mouseClick(widget<QPushButton>(main, "cmdOption"), Qt::LeftButton);
    EXPECT_EQ(env.dialogs.texts(),
              QStringList(2, QStringLiteral("Are you sure you want to delete O'Neil?")));
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_TRUE(main.settings().alertUser);
    EXPECT_TRUE(main.findChildren<OptionsDialog*>().isEmpty());
}

}  // namespace
