// The register window driven by real clicks and keys, and through the
// accessibility interface, offscreen.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "core/ChequeFormat.h"
#include "store/ChequeFormatStore.h"
#include "store/RegisterStore.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "support/Widgets.h"
#include "ui/main/MainWindow.h"
#include "ui/register/RegisterWindow.h"

namespace {

using State = RegisterEntry::State;

class RegisterWindowTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* code : {"MBB", "HSB"}) {
            ChequeFormat f;
            f.bankCode = QString::fromLatin1(code);
            f.bankName = f.bankCode + QStringLiteral(" Bank");
            ChequeFormatStore::insert(env.db(), f);
        }
        add("MBB", "000101", "ACME Ltd", 29, 1);
        add("HSB", "000102", "Zoë, \"Öztürk\"", 100000000001, 2);
        add("MBB", "000103", "acme north", 500, 3);
        main = std::make_unique<MainWindow>(env.context);
        ASSERT_TRUE(main->load());
        main->show();
        QApplication::setActiveWindow(main.get());
    }

    void add(const char* bank, const char* number, const char* payee, qint64 cents, int day) {
        RegisterEntry e;
        e.printedAt = QDateTime(QDate(2026, 12, day), QTime(12, 0), Qt::UTC);
        e.bankCode = QString::fromLatin1(bank);
        e.chequeNumber = QString::fromLatin1(number);
        e.payee = QString::fromUtf8(payee);
        e.amountCents = cents;
        e.destination = QStringLiteral("Office-Laser");
        const qint64 id = RegisterStore::addPending(env.db(), e);
        RegisterStore::markPrinted(env.db(), id, e.printedAt, e.destination, 1);
    }

    // Opens the register with the main window's button; `drive` runs while it is open.
    void openRegister(const std::function<void(RegisterWindow&)>& drive) {
        bool shown = false;
        env.dialogs.onNextModal([&](QDialog* dialog) {
            shown = true;
            auto* window = qobject_cast<RegisterWindow*>(dialog);
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(window->objectName(), QStringLiteral("frmRegister"));
            window->show();
            QApplication::setActiveWindow(window);
            drive(*window);
        });
        QTest::mouseClick(widget<QPushButton>(main, "cmdRegister"), Qt::LeftButton);
        ASSERT_TRUE(shown);
    }

    // The texts of a column, top to bottom, joined by "|".
    static QString column(RegisterWindow& w, int col) {
        auto* table = widget<QTableView>(w, "tblRegister");
        QStringList texts;
        for (int r = 0; r < table->model()->rowCount(); ++r)
            texts << table->model()->index(r, col).data().toString();
        return texts.join(QLatin1Char('|'));
    }
    static QString total(RegisterWindow& w) { return widget<QLabel>(w, "lblTotal")->text(); }
    static void selectRow(RegisterWindow& w, int row) {
        auto* table = widget<QTableView>(w, "tblRegister");
        const QRect cell = table->visualRect(table->model()->index(row, 4));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }

    TestEnv env;
    std::unique_ptr<MainWindow> main;
};

TEST_F(RegisterWindowTest, FiltersCombineAndTheFootTotalIsExact) {
    openRegister([&](RegisterWindow& w) {
        EXPECT_EQ(column(w, 3), QStringLiteral("000103|000102|000101"));
        EXPECT_EQ(column(w, 5), QStringLiteral("5.00|1,000,000,000.01|0.29"));
        EXPECT_EQ(total(w), QStringLiteral("Printed cheques shown: 3    Total: 1,000,000,005.30"));

        struct Step {
            const char* what;
            std::function<void()> act;
            const char* numbers;
            const char* total;
        } steps[] = {
            {"payee text in any case",
             [&] { QTest::keyClicks(widget<QLineEdit>(w, "txtFilterPayee"), QStringLiteral("ACME")); },
             "000103|000101", "Printed cheques shown: 2    Total: 5.29"},
            {"and a bank",
             [&] {
                 auto* bank = widget<QComboBox>(w, "cboFilterBank");
                 bank->setFocus();
                 QTest::keyClick(bank, Qt::Key_Down);  // HSB - HSB Bank
             },
             "", "Printed cheques shown: 0    Total: 0.00"},
            {"non-ASCII payee, every bank",
             [&] {
                 QTest::keyClick(widget<QComboBox>(w, "cboFilterBank"), Qt::Key_Home);
                 auto* payee = widget<QLineEdit>(w, "txtFilterPayee");
                 payee->selectAll();
                 QTest::keyClicks(payee, QStringLiteral("ÖZT"));
             },
             "000102", "Printed cheques shown: 1    Total: 1,000,000,000.01"},
        };
        for (const Step& s : steps) {
            SCOPED_TRACE(s.what);
            s.act();
            EXPECT_EQ(column(w, 3), QString::fromLatin1(s.numbers));
            EXPECT_EQ(total(w), QString::fromLatin1(s.total));
        }
        w.reject();
    });
}

TEST_F(RegisterWindowTest, VoidAsksForAReasonStrikesTheRowOutAndLeavesTheTotal) {
    openRegister([&](RegisterWindow& w) {
        auto* voidButton = widget<QPushButton>(w, "cmdVoid");
        EXPECT_FALSE(voidButton->isEnabled());  // nothing chosen yet
        selectRow(w, 2);                        // 000101, 0.29
        ASSERT_TRUE(voidButton->isEnabled());

        // Cancelled: nothing changes.
        env.dialogs.onNextModal([](QDialog* d) { d->reject(); });
        QTest::mouseClick(voidButton, Qt::LeftButton);
        EXPECT_EQ(RegisterStore::page(env.db(), {}, 0, 9).back().state, State::Printed);

        // Confirmed through the accessibility interface, with a reason typed.
        env.dialogs.onNextModal([](QDialog* d) {
            EXPECT_EQ(d->objectName(), QStringLiteral("frmVoid"));
            d->show();
            EXPECT_TRUE(widget<QLabel>(d, "lblQuestion")->text().startsWith(
                QStringLiteral("Void cheque 000101 of MBB to ACME Ltd for 0.29?")));
            QTest::keyClicks(widget<QLineEdit>(d, "txtReason"), QStringLiteral("torn, re-issued"));
            QTest::keyClick(widget<QLineEdit>(d, "txtReason"), Qt::Key_Return);
        });
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(voidButton);
        ASSERT_NE(access, nullptr);
        access->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // The press is animated: the click comes a moment later.
        for (int i = 0; i < 40 && !env.dialogs.modalHandlers.empty(); ++i) QTest::qWait(25);

        const RegisterEntry voided = RegisterStore::page(env.db(), {}, 0, 9).back();
        EXPECT_EQ(voided.state, State::Void);
        EXPECT_EQ(voided.voidReason, QStringLiteral("torn, re-issued"));
        auto* table = widget<QTableView>(w, "tblRegister");
        EXPECT_TRUE(table->model()->index(2, 0).data(Qt::FontRole).value<QFont>().strikeOut());
        EXPECT_EQ(table->model()->index(2, 6).data().toString(), QStringLiteral("Void"));
        EXPECT_EQ(total(w), QStringLiteral("Printed cheques shown: 2    Total: 1,000,000,005.01"));
        EXPECT_FALSE(voidButton->isEnabled());  // a void is never voided again
        w.reject();
    });
}

TEST_F(RegisterWindowTest, PrintAgainFillsTheMainWindowAndExportWritesTheShownRows) {
    const QString path = QDir(env.directory()).filePath(QStringLiteral("cheque-register.csv"));
    widget<QComboBox>(main, "cboBank")->setCurrentIndex(1);  // MBB
    openRegister([&](RegisterWindow& w) {
        QTest::keyClicks(widget<QLineEdit>(w, "txtFilterPayee"), QStringLiteral("Z"));
        env.dialogs.onNextModal([&](QDialog* d) {
            auto* files = qobject_cast<QFileDialog*>(d);
            ASSERT_NE(files, nullptr);
            files->setDirectory(env.directory());
            static_cast<QDialog*>(files)->done(QDialog::Accepted);


        });
        QTest::mouseClick(widget<QPushButton>(w, "cmdExport"), Qt::LeftButton);
        selectRow(w, 0);
        QTest::mouseClick(widget<QPushButton>(w, "cmdPrintAgain"), Qt::LeftButton);
    });
    EXPECT_EQ(widget<QComboBox>(main, "cboBank")->currentText(), QStringLiteral("HSB - HSB Bank"));
    EXPECT_EQ(widget<QComboBox>(main, "cboRecipient")->currentText(), QStringLiteral("Zoë, \"Öztürk\""));
    EXPECT_EQ(widget<QLineEdit>(main, "txtAmount")->text(), QStringLiteral("1,000,000,000.01"));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 3);  // header, one row, the empty rest after the last line end
    EXPECT_TRUE(lines[1].contains(",\"Zoë, \"\"Öztürk\"\"\",1000000000.01,")) << lines[1].toStdString();
}

}  // namespace
