// The batch window by real clicks and keys: a file with a problem row, the row
// fixed in the table, Print all with the feed prompt, Cancel, a failing job and
// Save all as PDF.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "batch/BatchTableModel.h"
#include "store/ChequeFormatStore.h"
#include "store/ChequeNumberStore.h"
#include "store/RegisterStore.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "support/Widgets.h"
#include "ui/batch/BatchWindow.h"
#include "ui/main/MainWindow.h"

namespace {

// Alt+key as the user presses it; a button's mnemonic clicks it once its press
// animation has run.
void pressAlt(QWidget* window, Qt::Key key) {
    QTest::keyClick(window, key, Qt::AltModifier);
    QTest::qWait(250);
}

class BatchWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ChequeFormat f;
        f.bankCode = QStringLiteral("MBB");
        f.bankName = QStringLiteral("Maybank");
        f.fields.at(FieldWord1).width = 3000;
        ChequeFormatStore::insert(env.db(), f);
        ChequeNumberStore::setNext(env.db(), QStringLiteral("MBB"), QStringLiteral("000500"));
        env.printers.names = {QStringLiteral("Office")};
        env.printers.defaultName = QStringLiteral("Office");
        csv = dir.filePath(QStringLiteral("run.csv"));
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Payee;Amount;Bank\n\"ACME; Ltd\";1234.5;MBB\nBeta;-3;MBB\nGamma;7;MBB\n");
    }

    // Opens the batch window from the main window's accelerator; `drive` runs while it is open.
    void openBatch(const std::function<void(BatchWindow&)>& drive) {
        MainWindow main(env.context);
        ASSERT_TRUE(main.load());
        main.show();
        QApplication::setActiveWindow(&main);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
        bool shown = false;
        env.dialogs.onNextModal([&](QDialog* dialog) {
            shown = true;
            auto* batch = qobject_cast<BatchWindow*>(dialog);
            ASSERT_NE(batch, nullptr);
            EXPECT_EQ(batch->objectName(), QStringLiteral("frmBatch"));
            QApplication::setActiveWindow(batch);
            drive(*batch);
            batch->reject();
        });
        pressAlt(&main, Qt::Key_B);
        EXPECT_TRUE(shown);
    }

    // "Open CSV…" by its accelerator, the file dialog answered with the test file.
    void openCsv(BatchWindow& batch) {
        env.dialogs.fileNames.push_back(csv);
        QSignalSpy loaded(&batch, &BatchWindow::loaded);
        QTest::keyClick(&batch, Qt::Key_O, Qt::AltModifier);
        ASSERT_TRUE(loaded.wait(10000));
    }

    static QStringList column(BatchWindow& batch, int c) {
        QStringList out;
        for (int r = 0; r < batch.model()->rowCount(); ++r) out << batch.model()->index(r, c).data().toString();
        return out;
    }

    QStringList entries() {
        QStringList out;
        for (const RegisterEntry& e : RegisterStore::page(env.db(), {}, 0, 100))
            out.prepend(e.chequeNumber + QLatin1Char(' ') + e.payee + QLatin1Char(' ') + e.destination);
        return out;
    }

    TestEnv env;
    QTemporaryDir dir;
    QString csv;
};

TEST_F(BatchWindowTest, AProblemRowIsFixedInTheTableAndAllPrintWithTheFeedPrompt) {
    openBatch([&](BatchWindow& batch) {
        openCsv(batch);
        EXPECT_EQ(column(batch, BatchTableModel::Result),
                  (QStringList{QStringLiteral("OK"), QStringLiteral("Invalid amount."), QStringLiteral("OK")}));
        auto* table = widget<QTableView>(batch, "grdBatch");
        EXPECT_EQ(table->model()->index(1, BatchTableModel::Amount).data(Qt::BackgroundRole).value<QColor>(),
                  BatchTableModel::warningColour());
        EXPECT_EQ(widget<QLabel>(batch, "lblSummary")->text(),
                  QStringLiteral("3 rows: 2 to print, 1 with a problem, 0 excluded, 0 printed"));

        // The table starts on the problem row; the amount is typed over with keys.
        EXPECT_EQ(table->currentIndex().row(), 1);
        table->setFocus();
        table->setCurrentIndex(table->model()->index(1, BatchTableModel::Amount));
        QTest::keyClick(table, Qt::Key_F2);
        auto* editor = table->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->text(), QStringLiteral("-3"));  // the cell as the file has it
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, QStringLiteral("3"));
        EXPECT_EQ(editor->text(), QStringLiteral("3"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::qWait(50);  // the table commits the edit from its event queue
        EXPECT_EQ(column(batch, BatchTableModel::Amount),
                  (QStringList{QStringLiteral("1,234.50"), QStringLiteral("3.00"), QStringLiteral("7.00")}));
        EXPECT_EQ(column(batch, BatchTableModel::Number),
                  (QStringList{QStringLiteral("000500"), QStringLiteral("000501"), QStringLiteral("000502")}));

        // The feed prompt comes between cheques while the progress dialog counts.
        QStringList progress;
        env.dialogs.onMessage = [&](const FakeDialogs::Shown&) {
            if (auto* dialog = batch.findChild<QProgressDialog*>(QStringLiteral("dlgProgress")))
                progress << dialog->labelText();
        };
        pressAlt(&batch, Qt::Key_P);
        env.dialogs.onMessage = nullptr;
        EXPECT_EQ(env.dialogs.texts(),
                  (QStringList{QStringLiteral("Insert cheque 2 of 3 (Beta, 3.00) and press Continue"),
                               QStringLiteral("Insert cheque 3 of 3 (Gamma, 7.00) and press Continue")}));
        EXPECT_EQ(env.dialogs.messages.front().buttons, Dialogs::Buttons::ContinueCancel);
        EXPECT_EQ(progress, (QStringList{QStringLiteral("Printing cheque 1 of 3"), QStringLiteral("Printing cheque 2 of 3")}));
        EXPECT_EQ(env.printers.documentsEnded, 3);
        EXPECT_EQ(column(batch, BatchTableModel::Result),
                  (QStringList{QStringLiteral("Printed"), QStringLiteral("Printed"), QStringLiteral("Printed")}));
        EXPECT_FALSE(widget<QPushButton>(batch, "cmdPrintAll")->isEnabled());
    });
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("000500 ACME; LTD Office"),
                                      QStringLiteral("000501 BETA Office"),
                                      QStringLiteral("000502 GAMMA Office")}));
}

TEST_F(BatchWindowTest, CancelStopsAfterTheChequeInHandAndAFailedJobIsRetried) {
    openBatch([&](BatchWindow& batch) {
        openCsv(batch);
        auto* table = widget<QTableView>(batch, "grdBatch");
        // The problem row is left out with Space on its include check.
        table->setFocus();
        table->setCurrentIndex(table->model()->index(1, BatchTableModel::Include));
        QTest::keyClick(table, Qt::Key_Space);
        EXPECT_EQ(column(batch, BatchTableModel::Result).at(1), QStringLiteral("Excluded"));

        // Without the feed prompt; Cancel pressed while the first cheque prints.
        pressAlt(&batch, Qt::Key_A);
        EXPECT_FALSE(widget<QCheckBox>(batch, "chkFeedSheets")->isChecked());
        // The fake printer's second job fails; the first run is cancelled after cheque 1.
        env.printers.failEndOfDocument = 2;
        bool pressed = false;
        QTimer::singleShot(0, &batch, [&] {
            if (auto* dialog = batch.findChild<QProgressDialog*>(QStringLiteral("dlgProgress"))) {
                pressed = true;
                QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
            }
        });
        QTest::mouseClick(widget<QPushButton>(batch, "cmdPrintAll"), Qt::LeftButton);
        EXPECT_TRUE(pressed);
        EXPECT_EQ(env.printers.documentsEnded, 1);
        EXPECT_EQ(env.dialogs.texts().last(),
                  QStringLiteral("1 of 2 cheques were printed before the batch was cancelled."));

        // Printing again: the second job fails and says which row and why.
        QTest::mouseClick(widget<QPushButton>(batch, "cmdPrintAll"), Qt::LeftButton);
        EXPECT_EQ(env.dialogs.texts().last(),
                  QStringLiteral("The cheque on line 4 (Gamma, 7.00) was not printed: The printer is "
                                 "out of paper.\r\nThe cheques printed before it are marked Printed; "
                                 "Print all prints the others."));
        EXPECT_EQ(column(batch, BatchTableModel::Result),
                  (QStringList{QStringLiteral("Printed"), QStringLiteral("Excluded"), QStringLiteral("OK")}));
        // The printer works again: only the failed cheque prints.
        QTest::mouseClick(widget<QPushButton>(batch, "cmdPrintAll"), Qt::LeftButton);
        EXPECT_EQ(env.printers.documentsEnded, 2);
    });
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("000500 ACME; LTD Office"),
                                      QStringLiteral("000501 GAMMA Office")}));
}

TEST_F(BatchWindowTest, SaveAllAsPdfAndARefusedFile) {
    openBatch([&](BatchWindow& batch) {
        openCsv(batch);
        const QString pdf = dir.filePath(QStringLiteral("run.pdf"));
        env.dialogs.fileNames.push_back(pdf);
        pressAlt(&batch, Qt::Key_D);
        EXPECT_EQ(env.dialogs.fileRequests.last(), QStringLiteral("save|Save all as PDF|") + pdf);
        EXPECT_TRUE(QFile::exists(pdf));
        EXPECT_EQ(env.printers.callsOf(QStringLiteral("newPage")).size(), 1u);

        // A file without the required columns is refused naming the line; the rows stay.
        QFile bad(csv);
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write("\nname,sum\nx,1\n");
        bad.close();
        openCsv(batch);
        EXPECT_EQ(env.dialogs.texts().last(),
                  QStringLiteral("The file \"run.csv\" was not read.\r\nLine 2: the header row names no "
                                 "column \"payee\"; the columns payee and amount are required."));
        EXPECT_EQ(batch.model()->rowCount(), 3);
    });
    const QStringList saved = entries();
    ASSERT_EQ(saved.size(), 2);
    EXPECT_TRUE(saved.first().endsWith(QStringLiteral("run.pdf")));
}

}  // namespace
