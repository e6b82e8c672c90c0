#include "core/FieldLabelSet.h"

QString FieldLabelSet::stem(int index) {
    static const char* const kStems[kFieldCount] = {
        "Date",    "Recipient", "Amount",  "Word1",   "Word2",   "SDateD1", "SDateD2",
        "SDateM1", "SDateM2",   "SDateY1", "SDateY2", "SDateY3", "SDateY4"};
    if (index < 0 || index >= kFieldCount) return {};
    return QString::fromLatin1(kStems[index]);
}
