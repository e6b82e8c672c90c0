#include "register/RegisterCsv.h"

#include <QSaveFile>

#include "register/Cents.h"
#include "store/DbError.h"
#include "store/RegisterStore.h"

namespace RegisterCsv {

QString field(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString header() {
    return QStringLiteral(
        "Printed,Cheque Date,Bank Code,Bank Name,Cheque Number,Payee,Amount,Amount in Words 1,"
        "Amount in Words 2,State,Voided,Void Reason,Destination,Job\r\n");
}

QString row(const RegisterEntry& e) {
    const QStringList fields = {
        RegisterStore::isoTime(e.printedAt),
        e.chequeDate.value_or(QString()),
        e.bankCode,
        e.bankName,
        e.chequeNumber,
        e.payee,
        Cents::toText(e.amountCents, false),
        e.wordLine1,
        e.wordLine2,
        stateName(e.state),
        e.voidedAt.isValid() ? RegisterStore::isoTime(e.voidedAt) : QString(),
        e.voidReason,
        e.destination,
        e.jobId ? QString::number(*e.jobId) : QString(),
    };
    QStringList out;
    for (const QString& f : fields) out << field(f);
    return out.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

int exportTo(Database& db, const RegisterFilter& filter, const QString& path, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return -1;
    }
    int count = 0;
    try {
        file.write(header().toUtf8());
        qint64 last = 0;
        for (;;) {
            const auto entries = RegisterStore::page(db, filter, last, 1000);
            for (const RegisterEntry& e : entries) file.write(row(e).toUtf8());
            count += static_cast<int>(entries.size());
            if (entries.size() < 1000) break;
            last = entries.back().id;
        }
    } catch (const DbError& e) {
        file.cancelWriting();
        error = e.message();
        return -1;
    }
    if (!file.commit()) {
        error = file.errorString();
        return -1;
    }
    return count;
}

}  // namespace RegisterCsv
