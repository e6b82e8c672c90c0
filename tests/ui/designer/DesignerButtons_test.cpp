#include <gtest/gtest.h>

#include <QDialog>
#include <QPushButton>

#include "DesignerFixture.h"

namespace {

// The location window edits the working copy's offset; Ok hands it back, Cancel does not.
TEST(DesignerButtons, LocationWindowOpensOverTheWorkingCopy) {
    DesignerFixture f({{"MBB", "Maybank"}});
    f.open();
    f.click("cmdEdit");
    f.type("txtChequeWidth", QStringLiteral("7.00"));
    f.type("txtChequeHeight", QStringLiteral("3.50"));

    const double before = f.model().chequeLeft();
    for (const char* closer : {"cmdCancel", "cmdOk"}) {
        f.dialogs().onNextModal([closer](QDialog* dialog) {
            dialog->findChild<QPushButton*>(QStringLiteral("cmdRight"))->click();
            dialog->findChild<QPushButton*>(QString::fromLatin1(closer))->click();
        });
        f.click("cmdChequeLocation");
        ASSERT_FALSE(f.dialogs().modalWindows.empty());
        EXPECT_EQ(f.dialogs().modalWindows.back(), QStringLiteral("frmChequeLocation"));
        if (QByteArray(closer) == "cmdCancel")
            EXPECT_EQ(f.model().chequeLeft(), before);
        else  // the right edge of the sheet as the format's orientation turns it
            EXPECT_DOUBLE_EQ(f.model().chequeLeft(),
                             (f.model().orientationCode() == 1 ? 11909.0 : 16834.0) - 10080.0);
    }
}

// The sample and ruler sheets print from the working copy on the recording printer.
TEST(DesignerButtons, SampleAndRulerSheetsPrint) {
    DesignerFixture f({{"MBB", "Maybank"}});
    f.open();
    f.click("cmdEdit");
    f.type("txtChequeWidth", QStringLiteral("8.00"));
    f.type("txtChequeHeight", QStringLiteral("3.00"));

    f.click("cmdPrintSample");
    QStringList texts = f.env.printers.printedTexts();
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.first(), f.list("cboBank")->currentText() + QStringLiteral(" - Sample Output"));
    EXPECT_TRUE(texts.contains(QStringLiteral("CHEQUE WRITER")));
    EXPECT_EQ(f.env.printers.documentsEnded, 1);

    f.env.printers.calls.clear();
    f.click("cmdPrintRuler");
    texts = f.env.printers.printedTexts();
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.first(), f.list("cboBank")->currentText());
    EXPECT_TRUE(texts.contains(QStringLiteral("Inch")));
    EXPECT_EQ(f.env.printers.documentsEnded, 2);
    EXPECT_TRUE(f.messageTexts().isEmpty()) << f.messageTexts().join(QLatin1Char('|')).toStdString();
}

}  // namespace
