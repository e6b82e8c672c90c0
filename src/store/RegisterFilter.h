#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

#include "store/RegisterEntry.h"

// Which register entries a query covers; every condition set narrows it.
struct RegisterFilter {
    QString bankCode;                // empty: every bank
    QDateTime printedFrom;           // UTC, inclusive; invalid: no lower bound
    QDateTime printedBefore;         // UTC, exclusive; invalid: no upper bound
    QString payeeContains;           // any letter case; empty: every payee
    std::optional<RegisterEntry::State> state;  // none: every state
};

// The count and exact sum of the `printed` entries a filter covers.
struct RegisterTotal {
    qint64 count = 0;
    std::int64_t cents = 0;
};
