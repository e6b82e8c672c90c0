#include "PreviewFixture.h"

#include <QAccessible>
#include <QTemporaryDir>

#include "core/Units.h"
#include "store/ChequeNumberStore.h"
#include "store/RegisterStore.h"

using namespace Qt::StringLiterals;

namespace {

class PreviewTest : public PreviewFixture {};

// Opened on a cheque, the case switched, printed through the format's printer: the outcome is handed back, the
// register holds the cheque as printed, and the same number again is asked about first.
TEST_F(PreviewTest, PrintsTheChequeInTheChosenCaseAndRecordsIt) {
    ChequeNumberStore::setNext(env.db(), u"TB"_s, u"000123"_s);
    ASSERT_TRUE(open(u"mcDonald o'Brien"_s));
    PrintPreviewDialog& p = *preview;
    const auto shownCheque = [&] { QStringList t; for (int i = 0; i < 5; ++i) t << shown(i); return t.join(u'|'); };
    EXPECT_EQ(QStringList({widget<QLabel>(p, "lblTitle")->text(), widget<QLineEdit>(p, "txtChequeNo")->text(),
                           widget<QComboBox>(p, "cboPrinterName")->currentText()}).join(u'|'),
              u"Print Preview - Test Bank|000123|Cheque-Printer"_s);
    EXPECT_EQ(shownCheque(),
              u"05-12-2026|MCDONALD O'BRIEN|1,234.50| ONE THOUSAND TWO| HUNDRED THIRTY FOUR AND CENTS FIFTY ONLY."_s);
    const auto px = [](double twips) { return qRound(units::twipsToPixels(twips, units::screenDpiX())); };
    EXPECT_EQ(field(FieldAmount)->pos(), QPoint(px(6240), px(1800)));  // at the stored twips, not yet moved
    EXPECT_FALSE(field(FieldSDateD1)->isVisible());

    // Proper Case raises each word's first letter and keeps the payee's other letters; the option follows the
    // keyboard and assistive tools as well as the mouse. Another language spells the words in it.
    click("optProperCase");
    EXPECT_EQ(shown(FieldRecipient), u"McDonald O'Brien"_s);
    auto* upper = widget<QRadioButton>(p, "optUpperCase");
    upper->setFocus();
    QTest::keyClick(upper, Qt::Key_Space);
    EXPECT_EQ(shown(FieldRecipient), u"MCDONALD O'BRIEN"_s);
    QAccessible::queryAccessibleInterface(widget<QRadioButton>(p, "optProperCase"))
        ->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    auto* language = widget<QComboBox>(p, "cboLanguage");
    language->setCurrentIndex(language->findText(u"Malay"_s));
    EXPECT_EQ(shown(FieldWord1), u" Satu Ribu Dua"_s);
    language->setCurrentIndex(language->findText(u"English"_s));

    const QString proper =
        u"05-12-2026|McDonald O'Brien|1,234.50| One Thousand Two| Hundred Thirty Four And Cents Fifty Only."_s;
    EXPECT_EQ(shownCheque(), proper);
    click("cmdPrint");
    EXPECT_TRUE(env.dialogs.messages.empty()) << env.dialogs.texts().join(u'|').toStdString();
    EXPECT_TRUE(!p.isVisible() && p.outcome().printed);
    EXPECT_EQ(p.outcome().wordCase, u"Proper Case"_s);
    EXPECT_EQ(env.printers.printedTexts().join(u'|'), proper);
    EXPECT_EQ(env.printers.jobSteps().join(u' '), u"makeCurrent1 orientation1 paperA4 end makeCurrent0"_s);
    const RegisterEntry e = RegisterStore::page(env.db(), {}, 0, 10).at(0);
    EXPECT_EQ(QStringList({e.chequeNumber, e.payee, QString::number(e.amountCents), e.chequeDate.value_or(QString()),
                           e.destination}),
              u"000123|McDonald O'Brien|123450|2026-12-05|Cheque-Printer"_s.split(u'|'));
    EXPECT_EQ(ChequeNumberStore::next(env.db(), u"TB"_s), u"000124"_s);

    for (const auto answer : {Dialogs::Answer::No, Dialogs::Answer::Yes}) {  // same number: asked; No prints nothing
        env.dialogs.clear(), env.dialogs.answer({answer});
        ASSERT_TRUE(open());
        widget<QLineEdit>(*preview, "txtChequeNo")->setText(u"000123"_s);
        click("cmdPrint");
        EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral(
            "Cheque number 000123 of TB was already printed on 5 Dec 2026 to McDonald O'Brien. Print anyway?")});
        EXPECT_EQ(env.dialogs.messages.at(0).buttons, Dialogs::Buttons::YesNo);
        EXPECT_EQ(preview->isVisible(), answer == Dialogs::Answer::No);
    }
    EXPECT_EQ(RegisterStore::page(env.db(), {}, 0, 10).size(), 2u);
    EXPECT_EQ(env.printers.documentsEnded, 2);

    QTemporaryDir dir;  // saved as a PDF file instead, under a suggested name: recorded with the file
    const QString saved = dir.filePath(u"saved.pdf"_s);
    env.dialogs.fileNames.push_back(saved);
    ASSERT_TRUE(open(u"acme: trading/ltd"_s));
    click("cmdSavePdf");
    EXPECT_FALSE(preview->isVisible());
    EXPECT_TRUE(env.dialogs.fileRequests.at(0).endsWith(u"/TB-000124-acme_ trading_ltd.pdf"_s));
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(RegisterStore::page(env.db(), {}, 0, 10).at(0).destination, saved);
}

TEST_F(PreviewTest, ShowsWhyTheFormatOrALanguageCannotBeRead) {
    ASSERT_TRUE(open());
    env.db().write(u"DELETE FROM LanguageMain WHERE ID = 2"_s);  // a language picked while gone: words kept
    auto* language = widget<QComboBox>(*preview, "cboLanguage");
    language->setCurrentIndex(language->findText(u"Malay"_s));
    expectOneError(u"Error retrieving Language while Changing Language option"_s);
    EXPECT_EQ(shown(FieldWord1), u" ONE THOUSAND TWO"_s);
    ChequeFormat f = testFormat();
    f.amountLanguage = 2, storeFormat(f);  // a format whose language is gone: words in the first language
    ASSERT_TRUE(open());
    expectOneError(u"Error retrieving Language while Retrieving Bank Details"_s);
    EXPECT_EQ(shown(FieldWord1), u" ONE THOUSAND TWO"_s);
    ChequeFormatStore::remove(env.db(), u"TB"_s);
    EXPECT_FALSE(open());  // a bank without a format: no preview
    expectOneError(u"Error retrieving Bank's cheque data. Try again."_s);
}

}  // namespace
