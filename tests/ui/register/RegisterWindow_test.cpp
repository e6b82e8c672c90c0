// The register window by clicks and keys: filter, void, Export and Print again into the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "store/ChequeFormatStore.h"
#include "store/RegisterStore.h"
#include "support/TestEnv.h"
#include "support/Widgets.h"
#include "ui/main/MainWindow.h"
#include "ui/register/RegisterWindow.h"

namespace {

using namespace Qt::StringLiterals;

TEST(RegisterWindow, FilterVoidExportAndPrintAgain) {
    TestEnv env;
    for (const QString& code : {u"MBB"_s, u"HSB"_s})
        ChequeFormatStore::insert(env.db(), ChequeFormat{.bankName = code + u" Bank"_s, .bankCode = code});
    for (const auto& [bank, number, payee, cents] : {std::tuple{u"MBB"_s, u"000101"_s, u"ACME Ltd"_s, 29LL},
                                                     {u"HSB"_s, u"000102"_s, u"Zoë, \"Öztürk\""_s, 100000000001LL},
                                                     {u"MBB"_s, u"000103"_s, u"acme north"_s, 500LL}}) {
        RegisterEntry e;
        e.printedAt = QDateTime(QDate(2026, 12, 1), QTime(12, 0), Qt::UTC).addDays(number.right(1).toInt());
        e.bankCode = bank, e.chequeNumber = number, e.payee = payee, e.amountCents = cents;
        RegisterStore::markPrinted(env.db(), RegisterStore::addPending(env.db(), e), e.printedAt, u"Office-Laser"_s, 1);
    }
    MainWindow main(env.context);
    ASSERT_TRUE(main.load());
    main.show(), QApplication::setActiveWindow(&main);
    widget<QComboBox>(main, "cboBank")->setCurrentIndex(1);  // MBB
    bool shown = false;
    env.dialogs.onNextModal([&](QDialog* dialog) {
        auto* w = qobject_cast<RegisterWindow*>(dialog);
        ASSERT_TRUE(shown = w && w->objectName() == u"frmRegister"_s);
        w->show(), QApplication::setActiveWindow(w);
        auto* table = widget<QTableView>(*w, "tblRegister");
        const auto numbers = [&]() -> QString {
            QStringList texts;
            for (int r = 0; r < table->model()->rowCount(); ++r) texts << table->model()->index(r, 3).data().toString();
            return texts.join(u'|') + u' ' + widget<QLabel>(*w, "lblTotal")->text();
        };
        EXPECT_EQ(numbers(), u"000103|000102|000101 Printed cheques shown: 3    Total: 1,000,000,005.30"_s);
        QTest::keyClicks(widget<QLineEdit>(*w, "txtFilterPayee"), u"ACME"_s);  // any letter case
        EXPECT_EQ(numbers(), u"000103|000101 Printed cheques shown: 2    Total: 5.29"_s);

        // Void asks for a reason, strikes the row out and leaves it out of the total.
        const auto cell = [&](int row) { return table->visualRect(table->model()->index(row, 4)).center(); };
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell(1));
        env.dialogs.onNextModal([](QDialog* d) {
            d->show();
            EXPECT_TRUE(widget<QLabel>(d, "lblQuestion")->text().startsWith(
                u"Void cheque 000101 of MBB to ACME Ltd for 0.29?"_s));
            QTest::keyClicks(widget<QLineEdit>(d, "txtReason"), u"torn, re-issued"_s);
            QTest::keyClick(widget<QLineEdit>(d, "txtReason"), Qt::Key_Return);
        });
        QTest::mouseClick(widget<QPushButton>(*w, "cmdVoid"), Qt::LeftButton);
        EXPECT_EQ(RegisterStore::page(env.db(), {}, 0, 9).back().voidReason, u"torn, re-issued"_s);
        EXPECT_EQ(numbers(), u"000103|000101 Printed cheques shown: 1    Total: 5.00"_s);
        EXPECT_FALSE(widget<QPushButton>(*w, "cmdVoid")->isEnabled());  // a void is never voided again

        // Export writes the rows shown; Print again fills the main window with the chosen entry.
        widget<QLineEdit>(*w, "txtFilterPayee")->selectAll();
        QTest::keyClicks(widget<QLineEdit>(*w, "txtFilterPayee"), u"Z"_s);
        env.dialogs.onNextModal([&](QDialog* d) {
            qobject_cast<QFileDialog*>(d)->setDirectory(env.directory()), d->done(QDialog::Accepted);
        });
        QTest::mouseClick(widget<QPushButton>(*w, "cmdExport"), Qt::LeftButton);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell(0));
        QTest::mouseClick(widget<QPushButton>(*w, "cmdPrintAgain"), Qt::LeftButton);
    });
    QTest::mouseClick(widget<QPushButton>(main, "cmdRegister"), Qt::LeftButton);
    ASSERT_TRUE(shown);
    const auto combo = [&](const char* name) { return widget<QComboBox>(main, name)->currentText(); };
    EXPECT_EQ(combo("cboBank") + u'|' + combo("cboRecipient") + u'|' + widget<QLineEdit>(main, "txtAmount")->text(),
              u"HSB - HSB Bank|Zoë, \"Öztürk\"|1,000,000,000.01"_s);
    QFile file(QDir(env.directory()).filePath(u"cheque-register.csv"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray csv = file.readAll();  // the header and the one row shown
    EXPECT_TRUE(csv.count('\n') == 2 && csv.contains(",\"Zoë, \"\"Öztürk\"\"\",1000000000.01,")) << csv.constData();
}

}  // namespace
