#include "batch/BatchSetup.h"

const ChequeFormat* BatchSetup::format(const QString& code) const {
    for (const ChequeFormat& f : formats)
        if (f.bankCode == code) return &f;
    for (const ChequeFormat& f : formats)
        if (f.bankCode.compare(code, Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}
