#include "PreviewFixture.h"

#include <QAccessible>
#include <QTemporaryDir>

#include "core/Units.h"
#include "store/ChequeNumberStore.h"
#include "store/RegisterStore.h"

namespace {

class PreviewTest : public PreviewFixture {};

const QStringList kUpperCheque = {
    QStringLiteral("05-12-2026"), QStringLiteral("MCDONALD O'BRIEN"), QStringLiteral("1,234.50"),
    QStringLiteral(" ONE THOUSAND TWO"), QStringLiteral(" HUNDRED THIRTY FOUR AND CENTS FIFTY ONLY.")};

// Opened on a cheque, the case switched, printed through the printer the format
// names: the outcome is handed back, the register holds the cheque as printed, and
// the same number again is asked about first.
TEST_F(PreviewTest, PrintsTheChequeInTheChosenCaseAndRecordsIt) {
    ChequeNumberStore::setNext(env.db(), QStringLiteral("TB"), QStringLiteral("000123"));
    ASSERT_TRUE(open(QStringLiteral("mcDonald o'Brien")));
    PrintPreviewDialog& p = *preview;
    EXPECT_EQ(widget<QLabel>(p, "lblTitle")->text(), QStringLiteral("Print Preview - Test Bank"));
    EXPECT_EQ(widget<QLineEdit>(p, "txtChequeNo")->text(), QStringLiteral("000123"));
    EXPECT_EQ(widget<QComboBox>(p, "cboPrinterName")->currentText(), QStringLiteral("Cheque-Printer"));
    QStringList texts;
    for (int i = 0; i < 5; ++i) texts << shown(i);
    EXPECT_EQ(texts, kUpperCheque);
    // At the stored twips, not yet moved by the cheque's offsets.
    const auto px = [](double twips) { return qRound(units::twipsToPixels(twips, units::screenDpiX())); };
    EXPECT_EQ(field(FieldAmount)->pos(), QPoint(px(6240), px(1800)));
    EXPECT_FALSE(field(FieldSDateD1)->isVisible());

    // Proper Case raises each word's first letter and keeps the payee's other letters;
    // the option follows the keyboard and assistive tools as well as the mouse.
    click("optProperCase");
    EXPECT_EQ(shown(FieldRecipient), QStringLiteral("McDonald O'Brien"));
    EXPECT_EQ(shown(FieldWord1), QStringLiteral(" One Thousand Two"));
    auto* upper = widget<QRadioButton>(p, "optUpperCase");
    upper->setFocus();
    QTest::keyClick(upper, Qt::Key_Space);
    EXPECT_EQ(shown(FieldRecipient), QStringLiteral("MCDONALD O'BRIEN"));
    QAccessible::queryAccessibleInterface(widget<QRadioButton>(p, "optProperCase"))
        ->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(shown(FieldWord2), QStringLiteral(" Hundred Thirty Four And Cents Fifty Only."));
    // Another language spells the words in it, in the chosen case.
    auto* language = widget<QComboBox>(p, "cboLanguage");
    language->setCurrentIndex(language->findText(QStringLiteral("Malay")));
    EXPECT_EQ(shown(FieldWord1), QStringLiteral(" Satu Ribu Dua"));
    language->setCurrentIndex(language->findText(QStringLiteral("English")));

    click("cmdPrint");
    EXPECT_TRUE(env.dialogs.messages.empty()) << env.dialogs.texts().join(u'|').toStdString();
    EXPECT_FALSE(p.isVisible());
    EXPECT_TRUE(p.outcome().printed);
    EXPECT_EQ(p.outcome().wordCase, QStringLiteral("Proper Case"));
    EXPECT_EQ(env.printers.printedTexts(),
              QStringList({QStringLiteral("05-12-2026"), QStringLiteral("McDonald O'Brien"), QStringLiteral("1,234.50"),
                           QStringLiteral(" One Thousand Two"), QStringLiteral(" Hundred Thirty Four And Cents Fifty Only.")}));
    EXPECT_EQ(env.printers.jobSteps(), QStringList({QStringLiteral("makeCurrent1"), QStringLiteral("orientation1"),
                                                    QStringLiteral("paperA4"), QStringLiteral("end"), QStringLiteral("makeCurrent0")}));
    auto entries = RegisterStore::page(env.db(), {}, 0, 10);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].chequeNumber, QStringLiteral("000123"));
    EXPECT_EQ(entries[0].payee, QStringLiteral("McDonald O'Brien"));
    EXPECT_EQ(entries[0].amountCents, 123450);
    EXPECT_EQ(entries[0].chequeDate, QStringLiteral("2026-12-05"));
    EXPECT_EQ(entries[0].destination, QStringLiteral("Cheque-Printer"));
    EXPECT_EQ(ChequeNumberStore::next(env.db(), QStringLiteral("TB")), QStringLiteral("000124"));

    // The same number again: asked first; No prints nothing, Yes prints.
    for (const auto answer : {Dialogs::Answer::No, Dialogs::Answer::Yes}) {
        env.dialogs.clear();
        env.dialogs.answer({answer});
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

    // Saved as a PDF file instead, under a suggested name: recorded with the file.
    QTemporaryDir dir;
    env.dialogs.fileNames.push_back(dir.filePath(QStringLiteral("saved.pdf")));
    ASSERT_TRUE(open(QStringLiteral("acme: trading/ltd")));
    click("cmdSavePdf");
    EXPECT_FALSE(preview->isVisible());
    EXPECT_TRUE(env.dialogs.fileRequests.at(0).endsWith(QStringLiteral("/TB-000124-acme_ trading_ltd.pdf")));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("saved.pdf"))));
    entries = RegisterStore::page(env.db(), {}, 0, 10);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].destination, dir.filePath(QStringLiteral("saved.pdf")));
}

TEST_F(PreviewTest, ShowsWhyTheFormatOrALanguageCannotBeRead) {
    // A language picked while it is gone leaves the words as they were.
    ASSERT_TRUE(open());
    env.db().write(QStringLiteral("DELETE FROM LanguageMain WHERE ID = 2"));
    auto* language = widget<QComboBox>(*preview, "cboLanguage");
    language->setCurrentIndex(language->findText(QStringLiteral("Malay")));
    expectOneError(QStringLiteral("Error retrieving Language while Changing Language option"));
    EXPECT_EQ(shown(FieldWord1), QStringLiteral(" ONE THOUSAND TWO"));
    // A format whose language is gone spells the words in the first language.
    ChequeFormat f = testFormat();
    f.amountLanguage = 2;
    storeFormat(f);
    ASSERT_TRUE(open());
    expectOneError(QStringLiteral("Error retrieving Language while Retrieving Bank Details"));
    EXPECT_EQ(shown(FieldWord1), QStringLiteral(" ONE THOUSAND TWO"));
    // A bank without a format: no preview.
    ChequeFormatStore::remove(env.db(), QStringLiteral("TB"));
    EXPECT_FALSE(open());
    expectOneError(QStringLiteral("Error retrieving Bank's cheque data. Try again."));
}

}  // namespace
