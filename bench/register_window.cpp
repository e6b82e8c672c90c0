// bench_register_window [SECONDS]: shows the register window over a throwaway
// database with a few entries (one void), for screenshots; quits after SECONDS.
#include <QApplication>
#include <QTimer>

#include "core/ChequeFormat.h"
#include "store/ChequeFormatStore.h"
#include "store/RegisterStore.h"
#include "support/TestEnv.h"
#include "ui/register/RegisterWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TestEnv env;
    env.clock.current = QDateTime(QDate(2026, 12, 7), QTime(16, 0));
    const struct {
        const char *bank, *name, *number, *payee;
        qint64 cents;
        int day;
        bool isVoid;
    } cheques[] = {
        {"MBB", "Maybank", "000118", "ACME Ltd", 123450, 1, false},
        {"MBB", "Maybank", "000119", "Northwind Trading Company", 29, 2, false},
        {"HSB", "HSBC Bank", "004501", "Zoë Öztürk & Partners", 100000000001, 3, false},
        {"MBB", "Maybank", "000120", "Tan, Lim \"and\" Co", 75000, 4, true},
        {"HSB", "HSBC Bank", "004502", "City Water Board", 8812, 5, false},
        {"MBB", "Maybank", "000121", "ACME Ltd", 99999, 7, false},
    };
    for (const char* code : {"HSB", "MBB"}) {
        ChequeFormat f;
        f.bankCode = QString::fromLatin1(code);
        f.bankName = f.bankCode == QStringLiteral("MBB") ? QStringLiteral("Maybank") : QStringLiteral("HSBC Bank");
        ChequeFormatStore::insert(env.db(), f);
    }
    for (const auto& c : cheques) {
        RegisterEntry e;
        e.printedAt = QDateTime(QDate(2026, 12, c.day), QTime(9, 30), Qt::LocalTime).toUTC();
        e.bankCode = QString::fromLatin1(c.bank);
        e.bankName = QString::fromLatin1(c.name);
        e.chequeNumber = QString::fromLatin1(c.number);
        e.payee = QString::fromUtf8(c.payee);
        e.amountCents = c.cents;
        e.chequeDate = e.printedAt.toLocalTime().date().toString(Qt::ISODate);
        e.destination = QStringLiteral("Office-Laser");
        const qint64 id = RegisterStore::addPending(env.db(), e);
        RegisterStore::markPrinted(env.db(), id, e.printedAt, e.destination, 1);
        if (c.isVoid) RegisterStore::voidEntry(env.db(), id, e.printedAt.addSecs(600), QStringLiteral("misprinted"));
    }
    RegisterWindow window(env.context);
    if (!window.load()) return 1;
    window.move(20, 20);
    window.show();
    QTimer::singleShot(argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() * 1000 : 4000, &app,
                       &QCoreApplication::quit);
    return QApplication::exec();
}
