// The batch window by keys: a problem row fixed in the table, then Print all with the feed prompt.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "batch/BatchTableModel.h"
#include "store/ChequeFormatStore.h"
#include "store/ChequeNumberStore.h"
#include "store/RegisterStore.h"
#include "support/TestEnv.h"
#include "support/Widgets.h"
#include "ui/batch/BatchWindow.h"
#include "ui/main/MainWindow.h"

namespace {

using namespace Qt::StringLiterals;

TEST(BatchWindow, AProblemRowIsFixedInTheTableAndAllPrintWithTheFeedPrompt) {
    TestEnv env;
    ChequeFormatStore::insert(env.db(), [] { ChequeFormat f; f.bankCode = u"MBB"_s; return f; }());
    ChequeNumberStore::setNext(env.db(), u"MBB"_s, u"000500"_s);
    env.printers.names = {env.printers.defaultName = u"Office"_s};
    QTemporaryDir dir;
    QFile csv(dir.filePath(u"run.csv"_s));
    ASSERT_TRUE(csv.open(QFile::WriteOnly) &&
                csv.write("Payee;Amount;Bank\n\"ACME; Ltd\";1234.5;MBB\nBeta;-3;MBB\nGamma;7;MBB\n") && csv.flush());
    MainWindow main(env.context);
    ASSERT_TRUE(main.load());
    main.show(), QApplication::setActiveWindow(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    const auto column = [](BatchWindow& batch, int c) {
        QStringList out;
        for (int r = 0; r < batch.model()->rowCount(); ++r) out << batch.model()->index(r, c).data().toString();
        return out.join(u'|');
    };
    bool shown = false;
    env.dialogs.onNextModal([&](QDialog* dialog) {
        auto* batch = qobject_cast<BatchWindow*>(dialog);
        ASSERT_TRUE(shown = batch && batch->objectName() == u"frmBatch"_s);
        QApplication::setActiveWindow(batch);
        env.dialogs.fileNames.push_back(csv.fileName());  // "Open CSV…" by its accelerator
        QSignalSpy loaded(batch, &BatchWindow::loaded);
        QTest::keyClick(batch, Qt::Key_O, Qt::AltModifier);
        ASSERT_TRUE(loaded.wait(10000));
        EXPECT_EQ(column(*batch, BatchTableModel::Result), u"OK|Invalid amount.|OK"_s);
        EXPECT_EQ(widget<QLabel>(*batch, "lblSummary")->text(),
                  u"3 rows: 2 to print, 1 with a problem, 0 excluded, 0 printed"_s);

        auto* table = widget<QTableView>(*batch, "grdBatch");  // the problem row's amount typed over
        table->setFocus(), table->setCurrentIndex(table->model()->index(1, BatchTableModel::Amount));
        QTest::keyClick(table, Qt::Key_F2);
        auto* editor = table->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->text(), u"-3"_s);  // the cell as the file has it
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, u"3"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::qWait(50);  // the table commits the edit from its event queue
        EXPECT_EQ(column(*batch, BatchTableModel::Amount), u"1,234.50|3.00|7.00"_s);

        QStringList progress;  // the feed prompt comes between cheques while the progress dialog counts
        env.dialogs.onMessage = [&](const FakeDialogs::Shown&) {
            if (auto* d = batch->findChild<QProgressDialog*>(u"dlgProgress"_s)) progress << d->labelText();
        };
        QTest::keyClick(batch, Qt::Key_P, Qt::AltModifier), QTest::qWait(250);  // the press animation
        env.dialogs.onMessage = nullptr;
        EXPECT_EQ(env.dialogs.texts(), (QStringList{u"Insert cheque 2 of 3 (Beta, 3.00) and press Continue"_s,
                                                    u"Insert cheque 3 of 3 (Gamma, 7.00) and press Continue"_s}));
        EXPECT_EQ(progress, (QStringList{u"Printing cheque 1 of 3"_s, u"Printing cheque 2 of 3"_s}));
        EXPECT_EQ(column(*batch, BatchTableModel::Result), u"Printed|Printed|Printed"_s);
        batch->reject();
    });
    QTest::keyClick(&main, Qt::Key_B, Qt::AltModifier), QTest::qWait(250);  // the main window's accelerator
    EXPECT_TRUE(shown);
    QStringList entries;
    for (const RegisterEntry& e : RegisterStore::page(env.db(), {}, 0, 100))
        entries.prepend(e.chequeNumber + u' ' + e.payee + u' ' + e.destination);
    EXPECT_EQ(entries, (QStringList{u"000500 ACME; LTD Office"_s, u"000501 BETA Office"_s, u"000502 GAMMA Office"_s}));
}

}  // namespace
