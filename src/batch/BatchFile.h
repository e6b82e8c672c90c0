#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

#include "batch/BatchRow.h"

// A file of cheques: a header row naming the columns in any order and letter
// case, "payee" and "amount" required, "date", "bank" and "number" optional,
// other columns ignored; one cheque per following row. A file that is not text or
// has no such header is refused whole.
namespace BatchFile {

struct Result {
    bool ok = false;
    QString error;  // names the line
    int errorLine = 0;
    std::vector<BatchRow> rows;
    bool hasDate = false, hasBank = false, hasNumber = false;
};

Result read(const QByteArray& bytes);

}  // namespace BatchFile
