#include "PreviewFixture.h"

#include <QAccessible>
#include <QRadioButton>

#include <QGroupBox>

#include "store/CompanyStore.h"
#include "core/Units.h"
#include "support/Widgets.h"

namespace {

const QString kWordsLine1 = QStringLiteral(" One Thousand Two");
const QString kWordsLine2 = QStringLiteral(" Hundred Thirty Four And Cents Fifty Only.");

class PreviewTest : public PreviewFixture {};

int px(double twips) { return qRound(units::twipsToPixels(twips, units::screenDpiX())); }

TEST_F(PreviewTest, OpensWithEveryControlAndTheFormatFilledIn) {
    openMain();
    setSetting(*main, &UserSettings::wordCase, QStringLiteral("UPPER CASE"));
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        EXPECT_TRUE(p.isVisible());
        EXPECT_EQ(p.objectName(), QStringLiteral("frmPrintPreview"));
        EXPECT_EQ(p.windowTitle(), QStringLiteral("Print Preview"));
        QLabel* title = child<QLabel>(p, "lblTitle");
        EXPECT_EQ(title->text(), QStringLiteral("Print Preview - Test Bank"));
        EXPECT_EQ(title->font().family(), QStringLiteral("Arial"));
        EXPECT_EQ(title->font().pointSizeF(), 12.0);
        EXPECT_TRUE(title->font().bold());
        EXPECT_EQ(child<QPushButton>(p, "cmdBack")->text(), QStringLiteral("  Back"));
        EXPECT_EQ(child<QPushButton>(p, "cmdPrint")->text(), QStringLiteral("  Print"));
        EXPECT_EQ(child<QRadioButton>(p, "optUpperCase")->text(), QStringLiteral("UPPER CASE"));
        EXPECT_EQ(child<QRadioButton>(p, "optProperCase")->text(), QStringLiteral("Proper Case"));
        QStringList groups;
        for (auto* g : p.findChildren<QGroupBox*>()) groups << g->title();
        groups.sort();
        EXPECT_EQ(groups, (QStringList{QStringLiteral("Case"), QStringLiteral("Orientation"),
                                       QStringLiteral("Print Settings")}));
        EXPECT_FALSE(child<QLabel>(p, "lblWordTemp")->isVisible());
        QLabel* height = child<QLabel>(p, "lblChequeHeight");
        EXPECT_FALSE(height->isVisible());
        EXPECT_EQ(height->text(), QStringLiteral("3855"));

        // The cheque at true size, its fields at the stored twips.
        QWidget* picture = child<QWidget>(p, "picCheque");
        EXPECT_EQ(picture->size(), QSize(px(10455), px(3855)));
        const ChequeFormat f = testFormat();
        for (int i = 0; i < kFieldCount; ++i) {
            QLabel* label = chequeLabel(p, i);
            ASSERT_NE(label, nullptr) << i;
            EXPECT_EQ(label->parentWidget(), picture);
            const FieldGeometry& g = f.fields[static_cast<size_t>(i)];
            EXPECT_EQ(label->geometry().topLeft(), QPoint(px(g.left), px(g.top))) << i;
            EXPECT_EQ(label->width(), px(g.width)) << i;
            EXPECT_EQ(label->font().family(), f.fontOf(i).face) << i;
            EXPECT_EQ(label->font().pointSizeF(), f.fontOf(i).size) << i;
            EXPECT_EQ(label->font().bold(), f.fontOf(i).bold) << i;
        }
        EXPECT_EQ(chequeLabel(p, FieldDate)->text(), QStringLiteral("05-12-2026"));
        EXPECT_TRUE(chequeLabel(p, FieldDate)->isVisible());
        for (int i = FieldSDateD1; i <= FieldSDateY4; ++i)
            EXPECT_FALSE(chequeLabel(p, i)->isVisible()) << i;
        EXPECT_EQ(chequeLabel(p, FieldRecipient)->text(), QStringLiteral("ACME TRADING"));
        EXPECT_EQ(chequeLabel(p, FieldAmount)->text(), QStringLiteral("1,234.50"));
        EXPECT_EQ(chequeLabel(p, FieldWord1)->text(), kWordsLine1.toUpper());
        EXPECT_EQ(chequeLabel(p, FieldWord2)->text(), kWordsLine2.toUpper());

        QComboBox* languages = widget<QComboBox>(p, "cboLanguage");
        EXPECT_EQ(languages->count(), 2);
        EXPECT_EQ(languages->itemText(0), QStringLiteral("English"));
        EXPECT_EQ(languages->currentText(), QStringLiteral("English"));
        QComboBox* printers = widget<QComboBox>(p, "cboPrinterName");
        EXPECT_EQ(printers->count(), 3);
        EXPECT_EQ(printers->itemText(0), QStringLiteral("[Default]"));
        EXPECT_EQ(printers->itemText(2), QStringLiteral("Cheque-Printer"));
        EXPECT_EQ(printers->currentText(), QStringLiteral("Cheque-Printer"));
        EXPECT_TRUE(child<QLabel>(p, "imgLandscape")->isVisible());
        EXPECT_FALSE(child<QLabel>(p, "imgPortrait")->isVisible());
        EXPECT_TRUE(child<QRadioButton>(p, "optUpperCase")->isChecked());
        click(p, "cmdBack");
    }));
    EXPECT_TRUE(env.dialogs.messages.empty()) << env.dialogs.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(env.printers.calls.empty());
}

struct CaseSetting {
    const char* stored;
    bool upper;
};

void PrintTo(const CaseSetting& c, std::ostream* os) { *os << '"' << c.stored << '"'; }

class PreviewCaseSetting : public PreviewFixture, public testing::WithParamInterface<CaseSetting> {};

TEST_P(PreviewCaseSetting, SelectsTheCaseOptionAndWritesPayeeAndWordsInIt) {
    openMain();
    setSetting(*main, &UserSettings::wordCase, QString::fromUtf8(GetParam().stored));
    widget<QComboBox>(main, "cboRecipient")->setEditText(QStringLiteral("mcDonald ltd"));
    const bool upper = GetParam().upper;
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        EXPECT_EQ(child<QRadioButton>(p, "optUpperCase")->isChecked(), upper);
        EXPECT_EQ(child<QRadioButton>(p, "optProperCase")->isChecked(), !upper);
        EXPECT_EQ(chequeLabel(p, FieldRecipient)->text(),
                  upper ? QStringLiteral("MCDONALD LTD") : QStringLiteral("McDonald Ltd"));
        EXPECT_EQ(chequeLabel(p, FieldWord1)->text(), upper ? kWordsLine1.toUpper() : kWordsLine1);
        EXPECT_EQ(chequeLabel(p, FieldWord2)->text(), upper ? kWordsLine2.toUpper() : kWordsLine2);
        click(p, "cmdBack");
    }));
}

INSTANTIATE_TEST_SUITE_P(StoredWordCase, PreviewCaseSetting,
                         testing::Values(CaseSetting{"UPPER CASE", true},
                                         CaseSetting{"Proper Case", false},
                                         CaseSetting{"", false},
                                         CaseSetting{"upper case", false},
                                         CaseSetting{"UPPER CASE ", false}));

TEST_F(PreviewTest, SwitchingTheCaseRewritesPayeeAndWordsAndIsHandedBack) {
    openMain();
    setSetting(*main, &UserSettings::wordCase, QStringLiteral("UPPER CASE"));
    setSetting(*main, &UserSettings::saveChange, 1);
    // A name keeps its letters in Proper Case; only each word's first letter rises.
    widget<QComboBox>(main, "cboRecipient")->setEditText(QStringLiteral("McDonald o'Brien ACME"));
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        click(p, "optProperCase");
        EXPECT_EQ(chequeLabel(p, FieldRecipient)->text(), QStringLiteral("McDonald O'Brien ACME"));
        EXPECT_EQ(chequeLabel(p, FieldWord1)->text(), kWordsLine1);
        click(p, "optUpperCase");
        EXPECT_EQ(chequeLabel(p, FieldRecipient)->text(), QStringLiteral("MCDONALD O'BRIEN ACME"));
        EXPECT_EQ(chequeLabel(p, FieldWord2)->text(), kWordsLine2.toUpper());
        // Switched from the keyboard and through the accessibility interface alike.
        auto* proper = widget<QRadioButton>(p, "optProperCase");
        proper->setFocus();
        QTest::keyClick(proper, Qt::Key_Space);
        EXPECT_EQ(chequeLabel(p, FieldRecipient)->text(), QStringLiteral("McDonald O'Brien ACME"));
        auto* upper = QAccessible::queryAccessibleInterface(widget<QRadioButton>(p, "optUpperCase"));
        upper->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        EXPECT_TRUE(widget<QRadioButton>(p, "optUpperCase")->isChecked());
        EXPECT_EQ(chequeLabel(p, FieldWord2)->text(), kWordsLine2.toUpper());
        EXPECT_EQ(chequeLabel(p, FieldRecipient)->text(), QStringLiteral("MCDONALD O'BRIEN ACME"));
        proper->setChecked(true);
        click(p, "cmdBack");
    }));
    EXPECT_EQ(main->settings().wordCase, QStringLiteral("Proper Case"));
    EXPECT_TRUE(env.printers.calls.empty());
}

TEST_F(PreviewTest, BackKeepsTheCaseSettingWhenChangesAreNotSaved) {
    openMain();
    setSetting(*main, &UserSettings::wordCase, QStringLiteral("UPPER CASE"));
    setSetting(*main, &UserSettings::saveChange, 0);
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        click(p, "optProperCase");
        click(p, "cmdBack");
    }));
    EXPECT_EQ(main->settings().wordCase, QStringLiteral("UPPER CASE"));
}

TEST_F(PreviewTest, TheStoredWord1FontAndWidthDecideTheSplit) {
    ChequeFormat f = testFormat();
    f.fonts[FieldWord1].bold = true;  // 150 twips a letter with the fake measure
    storeFormat(f);
    openMain();
    setSetting(*main, &UserSettings::wordCase, QStringLiteral("Proper Case"));
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        EXPECT_EQ(chequeLabel(p, FieldWord1)->text(), QStringLiteral(" One Thousand"));
        EXPECT_EQ(chequeLabel(p, FieldWord2)->text(),
                  QStringLiteral(" Two Hundred Thirty Four And Cents Fifty Only."));
        click(p, "cmdBack");
    }));
}

TEST_F(PreviewTest, PickingAnotherLanguageSpellsTheWordsInIt) {
    openMain();
    setSetting(*main, &UserSettings::wordCase, QStringLiteral("Proper Case"));
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        pick(widget<QComboBox>(p, "cboLanguage"), QStringLiteral("Malay"));
        EXPECT_EQ(chequeLabel(p, FieldWord1)->text(), QStringLiteral(" Satu Ribu Dua"));
        EXPECT_EQ(chequeLabel(p, FieldWord2)->text(),
                  QStringLiteral(" Ratus Tiga Puluh Empat Dan Sen Lima Puluh Sahaja."));
        // The case still applies to the new language.
        click(p, "optUpperCase");
        EXPECT_EQ(chequeLabel(p, FieldWord1)->text(), QStringLiteral(" SATU RIBU DUA"));
        click(p, "cmdBack");
    }));
    EXPECT_TRUE(env.dialogs.messages.empty());
    // The format keeps its own language.
    EXPECT_EQ(ChequeFormatStore::findByCode(env.db(), QStringLiteral("TB"))->amountLanguage, 1);
}

TEST_F(PreviewTest, APickedLanguageThatIsGoneKeepsTheWordsAfterItsMessage) {
    openMain();
    setSetting(*main, &UserSettings::wordCase, QStringLiteral("Proper Case"));
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        env.db().write(QStringLiteral("DELETE FROM LanguageMain WHERE ID = 2"));
        pick(widget<QComboBox>(p, "cboLanguage"), QStringLiteral("Malay"));
        ASSERT_EQ(env.dialogs.messages.size(), 1u);
        EXPECT_EQ(env.dialogs.messages[0].text,
                  QStringLiteral("Error retrieving Language while Changing Language option"));
        EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Error"));
        EXPECT_EQ(env.dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
        EXPECT_EQ(chequeLabel(p, FieldWord1)->text(), kWordsLine1);
        EXPECT_EQ(chequeLabel(p, FieldWord2)->text(), kWordsLine2);
        click(p, "cmdBack");
    }));
}

TEST_F(PreviewTest, AMissingLanguageFallsBackToTheFirstLanguageAfterItsMessage) {
    ChequeFormat f = testFormat();
    f.amountLanguage = 99;
    storeFormat(f);
    // The first language row is then Malay.
    env.db().write(QStringLiteral("DELETE FROM LanguageMain WHERE ID = 1"));
    openMain();
    setSetting(*main, &UserSettings::wordCase, QStringLiteral("Proper Case"));
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        ASSERT_EQ(env.dialogs.messages.size(), 1u);
        EXPECT_EQ(env.dialogs.messages[0].text,
                  QStringLiteral("Error retrieving Language while Retrieving Bank Details"));
        EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Error"));
        EXPECT_EQ(env.dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
        EXPECT_EQ(widget<QComboBox>(p, "cboLanguage")->currentText(), QStringLiteral("Malay"));
        EXPECT_EQ(chequeLabel(p, FieldWord1)->text(), QStringLiteral(" Satu Ribu Dua"));
        click(p, "cmdBack");
    }));
}

TEST_F(PreviewTest, ABankWithoutAFormatShowsTheMessageAndNoPreview) {
    openMain();
    ChequeFormatStore::remove(env.db(), QStringLiteral("TB"));
    EXPECT_FALSE(pressPrint([](PrintPreviewDialog&) {}));
    ASSERT_EQ(env.dialogs.messages.size(), 1u);
    EXPECT_EQ(env.dialogs.messages[0].text,
              QStringLiteral("Error retrieving Bank's cheque data. Try again."));
    EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Error"));
    EXPECT_EQ(env.dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(env.dialogs.messages[0].buttons, Dialogs::Buttons::Ok);
    EXPECT_TRUE(env.dialogs.modalWindows.empty());
    EXPECT_EQ(widget<QComboBox>(main, "cboRecipient")->currentText(), QStringLiteral("acme trading"));
}

TEST_F(PreviewTest, PortraitFormatShowsThePortraitPicture) {
    ChequeFormat f = testFormat();
    f.orientation = QStringLiteral("P");
    storeFormat(f);
    openMain();
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        EXPECT_FALSE(child<QLabel>(p, "imgLandscape")->isVisible());
        EXPECT_TRUE(child<QLabel>(p, "imgPortrait")->isVisible());
        EXPECT_EQ(p.orientationCode(), 2);
        click(p, "cmdBack");
    }));
}

struct DateCase {
    int dateType;
    bool printDate;
    std::vector<int> shown;  // of fields 0 and 5..12
};

void PrintTo(const DateCase& c, std::ostream* os) {
    *os << "type " << c.dateType << (c.printDate ? " printed" : " not printed");
}

class PreviewDates : public PreviewFixture, public testing::WithParamInterface<DateCase> {};

TEST_P(PreviewDates, ShowsTheDateFieldsOfTheDateTypeOnlyWhenTheDateIsPrinted) {
    ChequeFormat f = testFormat();
    f.dateType = GetParam().dateType;
    storeFormat(f);
    openMain();
    widget<QCheckBox>(main, "chkPrintDate")->setChecked(GetParam().printDate);
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        for (int i : {0, 5, 6, 7, 8, 9, 10, 11, 12}) {
            const bool expected = std::find(GetParam().shown.begin(), GetParam().shown.end(), i) !=
                                  GetParam().shown.end();
            EXPECT_EQ(chequeLabel(p, i)->isVisible(), expected) << i;
        }
        if (GetParam().printDate && GetParam().dateType == 2) {
            QString digits;
            for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) digits += chequeLabel(p, i)->text();
            EXPECT_EQ(digits, QStringLiteral("05122026"));
        }
        click(p, "cmdBack");
    }));
}

INSTANTIATE_TEST_SUITE_P(DateTypes, PreviewDates,
                         testing::Values(DateCase{0, true, {0}},
                                         DateCase{1, true, {5, 6, 7, 8, 11, 12}},
                                         DateCase{2, true, {5, 6, 7, 8, 9, 10, 11, 12}},
                                         DateCase{0, false, {}}, DateCase{2, false, {}}));

}  // namespace
