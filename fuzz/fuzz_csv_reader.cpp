// The reader of batch files: any bytes either give records that survive being
// written out again with every field quoted, or are refused naming a line of the
// file; nothing is half-read.
#include <QByteArray>

#include "FuzzCheck.h"
#include "batch/BatchFile.h"
#include "batch/CsvReader.h"

namespace {

QByteArray quotedCsv(const std::vector<CsvReader::Record>& records, QChar separator) {
    // A blank first line of two separators settles the separator and is skipped.
    QByteArray out = QString(2, separator).toUtf8() + "\r\n";
    for (const auto& record : records) {
        QStringList fields;
        for (QString field : record.fields)
            fields << QLatin1Char('"') + field.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                          QLatin1Char('"');
        out += fields.join(separator).toUtf8() + "\r\n";
    }
    return out;
}

int lineCount(const QByteArray& bytes) {
    int lines = 1;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        if (bytes.at(i) == '\n' || (bytes.at(i) == '\r' && (i + 1 == bytes.size() || bytes.at(i + 1) != '\n')))
            ++lines;
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const CsvReader::Result result = CsvReader::read(bytes);
    const BatchFile::Result file = BatchFile::read(bytes);
    FUZZ_CHECK(file.ok == (result.ok && !result.records.empty() && file.error.isEmpty()),
               file.error);
    if (!result.ok) {
        FUZZ_CHECK(result.records.empty(), result.error);
        FUZZ_CHECK(result.errorLine >= 1 && result.errorLine <= lineCount(bytes), result.error);
        FUZZ_CHECK(result.error.contains(QStringLiteral("line %1").arg(result.errorLine),
                                         Qt::CaseInsensitive),
                   result.error);
        return 0;
    }
    int previousLine = 0;
    for (const auto& record : result.records) {
        FUZZ_CHECK(record.line > previousLine && record.line <= lineCount(bytes), quoted(record.fields.join(QLatin1Char('|'))));
        previousLine = record.line;
    }
    // Written out with every field quoted, the records read back the same.
    const CsvReader::Result again = CsvReader::read(quotedCsv(result.records, result.separator));
    FUZZ_CHECK(again.ok, again.error);
    FUZZ_CHECK(again.records.size() == result.records.size(), QString::number(again.records.size()));
    for (size_t i = 0; i < again.records.size(); ++i)
        FUZZ_CHECK(again.records[i].fields == result.records[i].fields,
                   quoted(again.records[i].fields.join(QLatin1Char('|'))) + QStringLiteral(" vs ") +
                       quoted(result.records[i].fields.join(QLatin1Char('|'))));
    if (file.ok) FUZZ_CHECK(file.rows.size() + 1 == result.records.size(), file.error);
    return 0;
}
