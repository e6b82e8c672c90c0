#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// A comma-separated file as RFC 4180 describes it: fields in double quotes may
// hold separators, line ends and doubled quotes. The text is UTF-8, with or
// without a byte-order mark. The separator is ";" when the first line holds more
// of them than commas outside quotes, else ",". Records whose fields are all
// blank are skipped.
namespace CsvReader {

struct Record {
    int line = 0;  // the line of the file on which the record starts, from 1
    QStringList fields;
};

struct Result {
    bool ok = false;
    QString error;      // why the file was refused, naming the line
    int errorLine = 0;
    QChar separator = QLatin1Char(',');
    std::vector<Record> records;  // empty when the file was refused
};

Result read(const QByteArray& bytes);

}  // namespace CsvReader
