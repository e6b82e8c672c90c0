// A child process for the fault tests: saves payees, formats and options one
// after another, reporting each save only after it was committed:
//   fault_writer DATABASE FIRST COUNT [FILE_SIZE_LIMIT PADDING]
// prints "ready", then "done N" or "fail N CODE MESSAGE" for each record N. With
// a file size limit, writes past it fail (SIGXFSZ is ignored) as on a full disk.
//   fault_writer DATABASE register FIRST COUNT
// records cheques as printing does: "pending N" once entry N is written
// pending, "printed N" once it is marked printed.
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>

#include "faults/helper/FaultRecords.h"
#include "store/ChequeFormatStore.h"
#include "store/CompanyStore.h"
#include "store/Database.h"
#include "store/DbError.h"
#include "store/RegisterStore.h"
#include "store/SettingsStore.h"

// One write per line, so that a killed process never leaves half a line.
static void report(const QByteArray& line) {
    const QByteArray text = line + '\n';
    if (::write(STDOUT_FILENO, text.constData(), static_cast<size_t>(text.size())) < 0)
        std::_Exit(4);
}

static int recordCheques(Database& db, int first, int count) {
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
    using namespace FaultRecords;
    if (argc == 5 && QByteArray(argv[2]) == "register") {
        auto db = Database::open(QString::fromLocal8Bit(argv[1]));
        report("ready");
        return recordCheques(*db, std::atoi(argv[3]), std::atoi(argv[4]));
    }
    if (argc != 4 && argc != 6) return 2;
    const int first = std::atoi(argv[2]);
    const int count = std::atoi(argv[3]);
    const int padding = argc == 6 ? std::atoi(argv[5]) : 0;
    if (argc == 6) {
        const rlim_t limit = std::strtoull(argv[4], nullptr, 10);
        const rlimit fileSize{limit, limit};
        signal(SIGXFSZ, SIG_IGN);
        if (setrlimit(RLIMIT_FSIZE, &fileSize) != 0) return 2;
    }
    auto db = Database::open(QString::fromLocal8Bit(argv[1]));
    report("ready");
    for (int n = first, failures = 0; n < first + count && failures < 10; ++n) {
        try {
            if (kindOf(n) == Kind::Payee) CompanyStore::insert(*db, payeeName(n, padding));
            if (kindOf(n) == Kind::Format) ChequeFormatStore::insert(*db, format(n));
            if (kindOf(n) == Kind::Settings)
                SettingsStore::writeOptions(*db, n % 2, 1, 1, settingsMark(n));
            report("done " + QByteArray::number(n));
            failures = 0;
        } catch (const DbError& error) {
            report("fail " + QByteArray::number(n) + ' ' + QByteArray::number(error.code()) + ' ' +
                   error.message().toUtf8().replace('\n', ' '));
            ++failures;
        }
    }
    return 0;
}
