#include "print/PendingCheques.h"

#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "store/RegisterStore.h"

namespace PendingCheques {

QString question(const RegisterEntry& entry) {
    QString cheque = QStringLiteral("Cheque ");
    if (!entry.chequeNumber.isEmpty()) cheque += entry.chequeNumber + QLatin1Char(' ');
    return cheque + QStringLiteral("to ") + entry.payee + QStringLiteral(" for ") +
           entry.amountText +
           QStringLiteral(" was being printed when the program stopped. Was it printed?");
}

int settle(Database& db, Dialogs& dialogs) {
    int settled = 0;
    for (const RegisterEntry& entry : RegisterStore::listPending(db)) {
        const auto answer = dialogs.message(question(entry), AppInfo::title(),
                                            Dialogs::Icon::None, Dialogs::Buttons::YesNo);
        if (answer == Dialogs::Answer::Yes)
            RegisterStore::markPrinted(db, entry.id, entry.printedAt, entry.destination,
                                       entry.jobId);
        else
            RegisterStore::removePending(db, entry.id);
        ++settled;
    }
    return settled;
}

}  // namespace PendingCheques
