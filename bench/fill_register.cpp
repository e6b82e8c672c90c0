// bench_fill_register DIR COUNT: makes DIR/chequedb.mdb with COUNT register entries.
// The options row has SaveChange off, so that a start measured to its end does
// not include the save of the remembered choices when the window closes.
#include <QCoreApplication>
#include <QTextStream>

#include "DatabaseInit.h"
#include "store/Database.h"
#include "support/RegisterFill.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 3) return 2;
    auto db = Database::open(DatabaseInit::createDatabase(QString::fromLocal8Bit(argv[1])));
    fillRegister(*db, QString::fromLocal8Bit(argv[2]).toInt());
    db->write(QStringLiteral("UPDATE Settings SET SaveChange = 0"));
    return 0;
}
