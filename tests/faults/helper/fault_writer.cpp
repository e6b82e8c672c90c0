// A child process for the fault tests: opens the cheque database and saves
// payees, formats and options one after another, reporting each save on
// standard output only after it was committed:
//   fault_writer DATABASE FIRST COUNT [FILE_SIZE_LIMIT PADDING]
// prints "ready", then "done N" or "fail N CODE MESSAGE" for each record N.
// With a file size limit, writes past it fail (SIGXFSZ is ignored) as they
// would on a full disk.
//   fault_writer DATABASE register FIRST COUNT
// records cheques as printing does: "pending N" once entry N is written
// pending, "printed N" once it is marked printed.
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QByteArray>

#include <cstdlib>
#include <memory>

#include "store/ChequeFormatStore.h"
#include "store/CompanyStore.h"
#include "store/Database.h"
#include "store/DbError.h"
#include "store/RegisterStore.h"
#include "store/SettingsStore.h"
#include "faults/helper/FaultRecords.h"

namespace {

void report(const QByteArray& line) {
    const QByteArray text = line + '\n';
    // One write per line, so that a killed process never leaves half a line.
    if (::write(STDOUT_FILENO, text.constData(), static_cast<size_t>(text.size())) < 0)
        std::_Exit(4);
}

void save(Database& db, int n, int padding) {
    using namespace FaultRecords;
    switch (kindOf(n)) {
        case Kind::Payee:
            CompanyStore::insert(db, payeeName(n, padding));
            break;
        case Kind::Format:
            ChequeFormatStore::insert(db, format(n));
            break;
        case Kind::Settings:
            SettingsStore::writeOptions(db, n % 2, 1, 1, settingsMark(n));
            break;
    }
}

}  // namespace

int recordCheques(Database& db, int first, int count) {
    for (int n = first; n < first + count; ++n) {
        const RegisterEntry entry = FaultRecords::registerEntry(n);
        const qint64 id = RegisterStore::addPending(db, entry);
        report("pending " + QByteArray::number(n));
        RegisterStore::markPrinted(db, id, entry.printedAt, entry.destination, n);
        report("printed " + QByteArray::number(n));
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 5 && QByteArray(argv[2]) == "register") {
        auto db = Database::open(QString::fromLocal8Bit(argv[1]));
        report("ready");
        return recordCheques(*db, std::atoi(argv[3]), std::atoi(argv[4]));
    }
    if (argc != 4 && argc != 6) return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int first = std::atoi(argv[2]);
    const int count = std::atoi(argv[3]);
    int padding = 0;
    if (argc == 6) {
        const rlim_t limit = std::strtoull(argv[4], nullptr, 10);
        const rlimit fileSize{limit, limit};
        signal(SIGXFSZ, SIG_IGN);
        if (setrlimit(RLIMIT_FSIZE, &fileSize) != 0) return 2;
        padding = std::atoi(argv[5]);
    }
    std::unique_ptr<Database> db;
    try {
        db = Database::open(path);
    } catch (const DbError& error) {
        report("fail open " + QByteArray::number(error.code()) + ' ' + error.message().toUtf8());
        return 3;
    }
    report("ready");
    int failuresInARow = 0;
    for (int n = first; n < first + count && failuresInARow < 10; ++n) {
        try {
            save(*db, n, padding);
            report("done " + QByteArray::number(n));
            failuresInARow = 0;
        } catch (const DbError& error) {
            report("fail " + QByteArray::number(n) + ' ' + QByteArray::number(error.code()) + ' ' +
                   error.message().toUtf8().replace('\n', ' '));
            ++failuresInARow;
        }
    }
    return 0;
}
