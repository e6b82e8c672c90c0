#include "print/ChequeRecorder.h"

#include <QLocale>

#include "platform/Clock.h"
#include "store/DbError.h"
#include "store/RegisterStore.h"

ChequeRecorder::ChequeRecorder(Database& db, const Clock& clock) : m_db(db), m_clock(clock) {}

RegisterEntry ChequeRecorder::record(RegisterEntry cheque,
                                     const std::function<PrintReceipt()>& sendJob) {
    cheque.printedAt = m_clock.now().toUTC();
    cheque.state = RegisterEntry::State::Pending;
    cheque.id = RegisterStore::addPending(m_db, cheque);

    PrintReceipt receipt;
    try {
        receipt = sendJob();
        if (receipt.destination.isEmpty())
            throw PrintError("Nothing was drawn on the page, so nothing was printed.");
    } catch (...) {
        try {
            RegisterStore::removePending(m_db, cheque.id);
        } catch (const DbError&) {
            // Left pending: the next start asks whether it was printed.
        }
        throw;
    }

    cheque.printedAt = m_clock.now().toUTC();
    cheque.destination = receipt.destination;
    cheque.jobId = receipt.jobId > 0 ? std::optional<qint64>(receipt.jobId) : std::nullopt;
    RegisterStore::markPrinted(m_db, cheque.id, cheque.printedAt, cheque.destination,
                               cheque.jobId);
    cheque.state = RegisterEntry::State::Printed;
    return cheque;
}

std::optional<QString> ChequeRecorder::duplicateQuestion(const QString& bankCode,
                                                         const QString& chequeNumber) const {
    const auto issued = RegisterStore::findIssued(m_db, bankCode, chequeNumber);
    if (!issued) return std::nullopt;
    const QString day =
        QLocale::c().toString(issued->printedAt.toLocalTime().date(), QStringLiteral("d MMM yyyy"));
    return QStringLiteral("Cheque number ") + chequeNumber + QStringLiteral(" of ") + bankCode +
           QStringLiteral(" was already printed on ") + day + QStringLiteral(" to ") +
           issued->payee + QStringLiteral(". Print anyway?");
}
