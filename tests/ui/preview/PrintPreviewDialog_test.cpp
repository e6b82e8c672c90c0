#include "PreviewFixture.h"

#include <QAccessible>
#include <QTemporaryDir>

#include "core/Units.h"
#include "store/ChequeNumberStore.h"
#include "store/RegisterStore.h"

namespace {

class PreviewTest : public PreviewFixture {};

// Opened on a cheque, the case switched, printed through the format's printer: the outcome is handed back, the
// register holds the cheque as printed, and the same number again is asked about first.
TEST_F(PreviewTest, PrintsTheChequeInTheChosenCaseAndRecordsIt) {
    ChequeNumberStore::setNext(env.db(), QStringLiteral("TB"), QStringLiteral("000123"));
    ASSERT_TRUE(open(QStringLiteral("mcDonald o'Brien")));
    PrintPreviewDialog& p = *preview;
    const auto shownCheque = [&] { QStringList texts; for (int i = 0; i < 5; ++i) texts << shown(i); return texts.join(u'|'); };
    EXPECT_EQ(QStringList({widget<QLabel>(p, "lblTitle")->text(), widget<QLineEdit>(p, "txtChequeNo")->text(),
                           widget<QComboBox>(p, "cboPrinterName")->currentText()}).join(u'|'),
              QStringLiteral("Print Preview - Test Bank|000123|Cheque-Printer"));
    EXPECT_EQ(shownCheque(),
              QStringLiteral("05-12-2026|MCDONALD O'BRIEN|1,234.50| ONE THOUSAND TWO| HUNDRED THIRTY FOUR AND CENTS FIFTY ONLY."));
    const auto px = [](double twips) { return qRound(units::twipsToPixels(twips, units::screenDpiX())); };
    EXPECT_EQ(field(FieldAmount)->pos(), QPoint(px(6240), px(1800)));  // at the stored twips, not yet moved
    EXPECT_FALSE(field(FieldSDateD1)->isVisible());

    // Proper Case raises each word's first letter and keeps the payee's other letters; the option follows the
    // keyboard and assistive tools as well as the mouse. Another language spells the words in it.
    click("optProperCase");
    EXPECT_EQ(shown(FieldRecipient), QStringLiteral("McDonald O'Brien"));
    auto* upper = widget<QRadioButton>(p, "optUpperCase");
    upper->setFocus();
    QTest::keyClick(upper, Qt::Key_Space);
    EXPECT_EQ(shown(FieldRecipient), QStringLiteral("MCDONALD O'BRIEN"));
    QAccessible::queryAccessibleInterface(widget<QRadioButton>(p, "optProperCase"))
        ->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    auto* language = widget<QComboBox>(p, "cboLanguage");
    language->setCurrentIndex(language->findText(QStringLiteral("Malay")));
    EXPECT_EQ(shown(FieldWord1), QStringLiteral(" Satu Ribu Dua"));
    language->setCurrentIndex(language->findText(QStringLiteral("English")));

    const QString proper = QStringLiteral("05-12-2026|McDonald O'Brien|1,234.50| One Thousand Two| Hundred Thirty Four And Cents Fifty Only.");
    EXPECT_EQ(shownCheque(), proper);
    click("cmdPrint");
    EXPECT_TRUE(env.dialogs.messages.empty()) << env.dialogs.texts().join(u'|').toStdString();
    EXPECT_TRUE(!p.isVisible() && p.outcome().printed);
    EXPECT_EQ(p.outcome().wordCase, QStringLiteral("Proper Case"));
    EXPECT_EQ(env.printers.printedTexts().join(u'|'), proper);
    EXPECT_EQ(env.printers.jobSteps().join(u' '), QStringLiteral("makeCurrent1 orientation1 paperA4 end makeCurrent0"));
    const RegisterEntry e = RegisterStore::page(env.db(), {}, 0, 10).at(0);
    EXPECT_EQ(QStringList({e.chequeNumber, e.payee, QString::number(e.amountCents), e.chequeDate.value_or(QString()), e.destination}),
              QStringLiteral("000123|McDonald O'Brien|123450|2026-12-05|Cheque-Printer").split(u'|'));
    EXPECT_EQ(ChequeNumberStore::next(env.db(), QStringLiteral("TB")), QStringLiteral("000124"));

    for (const auto answer : {Dialogs::Answer::No, Dialogs::Answer::Yes}) {  // the same number: asked; No prints nothing
        env.dialogs.clear(), env.dialogs.answer({answer});
        ASSERT_TRUE(open());
        widget<QLineEdit>(*preview, "txtChequeNo")->setText(QStringLiteral("000123"));
        click("cmdPrint");
        EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral(
            "Cheque number 000123 of TB was already printed on 5 Dec 2026 to McDonald O'Brien. Print anyway?")});
        EXPECT_EQ(env.dialogs.messages.at(0).buttons, Dialogs::Buttons::YesNo);
        EXPECT_EQ(preview->isVisible(), answer == Dialogs::Answer::No);
    }
    EXPECT_EQ(RegisterStore::page(env.db(), {}, 0, 10).size(), 2u);
    EXPECT_EQ(env.printers.documentsEnded, 2);

    QTemporaryDir dir;  // saved as a PDF file instead, under a suggested name: recorded with the file
    const QString saved = dir.filePath(QStringLiteral("saved.pdf"));
    env.dialogs.fileNames.push_back(saved);
    ASSERT_TRUE(open(QStringLiteral("acme: trading/ltd")));
    click("cmdSavePdf");
    EXPECT_FALSE(preview->isVisible());
    EXPECT_TRUE(env.dialogs.fileRequests.at(0).endsWith(QStringLiteral("/TB-000124-acme_ trading_ltd.pdf")));
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(RegisterStore::page(env.db(), {}, 0, 10).at(0).destination, saved);
}

TEST_F(PreviewTest, ShowsWhyTheFormatOrALanguageCannotBeRead) {
    ASSERT_TRUE(open());
    env.db().write(QStringLiteral("DELETE FROM LanguageMain WHERE ID = 2"));  // a language picked while gone: words kept
    auto* language = widget<QComboBox>(*preview, "cboLanguage");
    language->setCurrentIndex(language->findText(QStringLiteral("Malay")));
    expectOneError(QStringLiteral("Error retrieving Language while Changing Language option"));
    EXPECT_EQ(shown(FieldWord1), QStringLiteral(" ONE THOUSAND TWO"));
    ChequeFormat f = testFormat();
    f.amountLanguage = 2, storeFormat(f);  // a format whose language is gone: words in the first language
    ASSERT_TRUE(open());
    expectOneError(QStringLiteral("Error retrieving Language while Retrieving Bank Details"));
    EXPECT_EQ(shown(FieldWord1), QStringLiteral(" ONE THOUSAND TWO"));
    ChequeFormatStore::remove(env.db(), QStringLiteral("TB"));
    EXPECT_FALSE(open());  // a bank without a format: no preview
    expectOneError(QStringLiteral("Error retrieving Bank's cheque data. Try again."));
}

}  // namespace
