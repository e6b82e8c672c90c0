// quorvanta-initdb DIR: writes a new chequedb.mdb into DIR.
#include <QCoreApplication>
#include <QTextStream>

#include "DatabaseInit.h"
#include "store/DbError.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: quorvanta-initdb DIR\n";
        return 2;
    }
    try {
        const QString path = DatabaseInit::createDatabase(args.at(1));
        QTextStream(stdout) << "created " << path << "\n";
        return 0;
    } catch (const DbError& e) {
        err << "quorvanta-initdb: " << e.message() << "\n";
        return 1;
    }
}
