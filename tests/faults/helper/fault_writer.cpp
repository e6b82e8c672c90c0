// fault_writer DATABASE FIRST COUNT [FILE_SIZE_LIMIT]: saves payees, formats, options and cheques ("pending N", then
// printed) in turn, printing "done N" once N is committed, else "fail N CODE MESSAGE"; the limit acts as a full disk.
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

static void report(const QByteArray& line) {  // one write a line: a killed process never leaves half a line
    if (::write(STDOUT_FILENO, line.constData(), static_cast<size_t>(line.size())) < 0) std::_Exit(4);
}

int main(int argc, char** argv) {
    using namespace FaultRecords;
    if (argc != 4 && argc != 5) return 2;
    const int first = std::atoi(argv[2]), count = std::atoi(argv[3]);
    const rlim_t limit = argc == 5 ? std::strtoull(argv[4], nullptr, 10) : 0;
    const rlimit fileSize{limit, limit};
    if (limit && (signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &fileSize) != 0)) return 2;
    auto db = Database::open(QString::fromLocal8Bit(argv[1]));
    report("ready\n");
    for (int n = first; n < first + count; ++n) {
        const QByteArray number = QByteArray::number(n);
        try {
            if (kindOf(n) == Kind::Payee) CompanyStore::insert(*db, payeeName(n, limit ? 900 : 0));
            if (kindOf(n) == Kind::Format) ChequeFormatStore::insert(*db, format(n));
            if (kindOf(n) == Kind::Settings) SettingsStore::writeOptions(*db, n % 2, 1, 1, settingsMark(n));
            if (kindOf(n) == Kind::Cheque) {
                const qint64 id = RegisterStore::addPending(*db, registerEntry(n));
                report("pending " + number + '\n');
                RegisterStore::markPrinted(*db, id, registerEntry(n).printedAt, registerEntry(n).destination, n);
            }
            report("done " + number + '\n');
        } catch (const DbError& error) {
            report("fail " + number + ' ' + QByteArray::number(error.code()) + ' ' +
                   error.message().toUtf8().replace('\n', ' ') + '\n');
        }
    }
}
