// "Save as PDF…" in the preview: from the keyboard, a suggested file name, the
// page written whole and recorded in the register with the file.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDir>
#include <QTemporaryDir>

#include "store/ChequeNumberStore.h"
#include "store/RegisterStore.h"
#include "support/PdfWords.h"
#include "support/QStringPrinter.h"
#include "ui/preview/PreviewFixture.h"

namespace {

class PreviewSavePdf : public PreviewFixture {};

TEST_F(PreviewSavePdf, TheAcceleratorSavesThePageAndRecordsIt) {
    ChequeNumberStore::setNext(env.db(), QStringLiteral("TB"), QStringLiteral("000123"));
    openMain();
    widget<QComboBox>(main, "cboRecipient")->setEditText(QStringLiteral("acme: trading/ltd"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.pdf"));
    env.dialogs.fileNames.push_back(path);
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& preview) {
        QTest::keyClick(&preview, Qt::Key_D, Qt::AltModifier);
        QTest::qWait(250);  // the mnemonic clicks once the press animation has run
    }));
    ASSERT_EQ(env.dialogs.fileRequests.size(), 1);
    EXPECT_TRUE(env.dialogs.fileRequests.first().startsWith(QStringLiteral("save|Save as PDF|")));
    EXPECT_TRUE(env.dialogs.fileRequests.first().endsWith(QStringLiteral("/TB-000123-acme_ trading_ltd.pdf")))
        << env.dialogs.fileRequests.first().toStdString();
    // The fake printer wrote the page to the file the dialog named, at the
    // cheque's offsets, and nothing went to a printer.
    EXPECT_EQ(env.printers.outputFile, QString());
    ASSERT_EQ(env.printers.callsOf(QStringLiteral("outputFile")).size(), 2u);
    EXPECT_EQ(env.printers.documentsEnded, 1);
    EXPECT_TRUE(QFile::exists(path));
    const auto entries = RegisterStore::page(env.db(), {}, 0, 10);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries.front().destination, path);
    EXPECT_EQ(entries.front().chequeNumber, QStringLiteral("000123"));
    EXPECT_EQ(entries.front().amountText, QStringLiteral("1,234.50"));
    EXPECT_EQ(ChequeNumberStore::next(env.db(), QStringLiteral("TB")), QStringLiteral("000124"));
}

TEST_F(PreviewSavePdf, CancellingTheFileDialogSavesAndRecordsNothing) {
    openMain();
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& preview) {
        // Through the accessibility interface, as a screen reader presses it.
        QAccessibleInterface* button =
            QAccessible::queryAccessibleInterface(preview.findChild<QPushButton*>(QStringLiteral("cmdSavePdf")));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(QAccessible::Name), QStringLiteral("Save as PDF…"));
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTest::qWait(250);
        EXPECT_TRUE(preview.isVisible());
        preview.reject();
    }));
    EXPECT_EQ(env.dialogs.fileRequests.size(), 1);
    EXPECT_EQ(env.printers.documentsEnded, 0);
    EXPECT_TRUE(RegisterStore::page(env.db(), {}, 0, 10).empty());
}

}  // namespace
