#include "batch/BatchFile.h"

#include "batch/CsvReader.h"

namespace BatchFile {

Result read(const QByteArray& bytes) {
    Result result;
    CsvReader::Result csv = CsvReader::read(bytes);
    if (!csv.ok) {
        result.error = csv.error;
        result.errorLine = csv.errorLine;
        return result;
    }
    if (csv.records.empty()) {
        result.errorLine = 1;
        result.error = QStringLiteral("Line 1: the file holds no header row naming the columns "
                                      "payee and amount.");
        return result;
    }
    const CsvReader::Record& header = csv.records.front();
    auto column = [&](const char* name) {
        for (qsizetype i = 0; i < header.fields.size(); ++i)
            if (header.fields.at(i).trimmed().compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return static_cast<int>(i);
        return -1;
    };
    const int payee = column("payee");
    const int amount = column("amount");
    const int date = column("date");
    const int bank = column("bank");
    const int number = column("number");
    if (payee < 0 || amount < 0) {
        result.errorLine = header.line;
        result.error = QStringLiteral("Line %1: the header row names no column \"%2\"; the "
                                      "columns payee and amount are required.")
                           .arg(header.line)
                           .arg(QLatin1String(payee < 0 ? "payee" : "amount"));
        return result;
    }
    result.hasDate = date >= 0;
    result.hasBank = bank >= 0;
    result.hasNumber = number >= 0;

    result.rows.reserve(csv.records.size() - 1);
    for (size_t r = 1; r < csv.records.size(); ++r) {
        const CsvReader::Record& record = csv.records[r];
        auto cell = [&](int index) {
            return index >= 0 ? record.fields.value(index).trimmed() : QString();
        };
        BatchRow row;
        row.line = record.line;
        row.payee = cell(payee);
        row.amount = cell(amount);
        row.date = cell(date);
        row.bank = cell(bank);
        row.number = cell(number);
        result.rows.push_back(std::move(row));
    }
    result.ok = true;
    return result;
}

}  // namespace BatchFile
