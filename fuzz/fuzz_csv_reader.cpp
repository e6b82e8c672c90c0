// Batch files: any bytes give records that read back the same written out quoted, or are refused whole, naming a line.
#include "FuzzCheck.h"
#include "batch/BatchFile.h"
#include "batch/CsvReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const CsvReader::Result result = CsvReader::read(bytes);
    const BatchFile::Result file = BatchFile::read(bytes);
    FUZZ_CHECK(file.ok == (result.ok && !result.records.empty() && file.error.isEmpty()) &&
                   (!file.ok || file.rows.size() + 1 == result.records.size()), file.error);
    const qsizetype lines = 1 + bytes.count('\n') + bytes.count('\r') - bytes.count("\r\n");
    if (!result.ok)
        return FUZZ_CHECK(result.records.empty() && result.errorLine >= 1 && result.errorLine <= lines &&
                   result.error.contains(u"line %1"_s.arg(result.errorLine), Qt::CaseInsensitive), result.error), 0;
    // Written out quoted after a line of just two separators (settling the separator, skipped), they read the same.
    QByteArray again = QString(2, result.separator).toUtf8() + "\r\n";
    for (int last = 0; const auto& record : result.records) {
        FUZZ_CHECK(record.line > std::exchange(last, record.line) && record.line <= lines, record.fields.join(u'|'));
        QStringList fields;
        for (QString field : record.fields) fields << u'"' + field.replace(u'"', u"\"\""_s) + u'"';
        again += fields.join(result.separator).toUtf8() + "\r\n";
    }
    const CsvReader::Result read = CsvReader::read(again);
    const auto sameFields = [](const auto& a, const auto& b) { return a.fields == b.fields; };
    FUZZ_CHECK(read.ok && std::ranges::equal(read.records, result.records, sameFields),
               read.error + u'\n' + QString::fromUtf8(again));
    return 0;
}
