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
    if (!result.ok) {
        FUZZ_CHECK(result.records.empty() && result.errorLine >= 1 && result.errorLine <= lines &&
                       result.error.contains(u"line %1"_s.arg(result.errorLine), Qt::CaseInsensitive), result.error);
        return 0;
    }
    // Written out with every field quoted, after a blank line of two separators that settles the
    // separator and is skipped, the records read back the same.
    QByteArray again = QString(2, result.separator).toUtf8() + "\r\n";
    int previousLine = 0;
    for (const auto& record : result.records) {
        FUZZ_CHECK(record.line > previousLine && record.line <= lines, record.fields.join(u'|'));
        previousLine = record.line;
        QStringList fields;
        for (QString field : record.fields) fields << u'"' + field.replace(u'"', u"\"\""_s) + u'"';
        again += fields.join(result.separator).toUtf8() + "\r\n";
    }
    const CsvReader::Result read = CsvReader::read(again);
    FUZZ_CHECK(read.ok && read.records.size() == result.records.size(), read.error);
    for (size_t i = 0; i < read.records.size(); ++i)
        FUZZ_CHECK(read.records[i].fields == result.records[i].fields, read.records[i].fields.join(u'|') + u" vs "_s + result.records[i].fields.join(u'|'));
    return 0;
}
