#include "batch/CsvReader.h"

#include <optional>

namespace CsvReader {

namespace {

// Offset of the first byte that is not part of well-formed UTF-8 text (a NUL
// byte counts as not text), or nothing.
std::optional<qsizetype> firstNonText(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c == 0) return i;
        if (c < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned int minimum = 0;
        unsigned int code = 0;
        if ((c & 0xE0) == 0xC0) {
            length = 2, minimum = 0x80, code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3, minimum = 0x800, code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4, minimum = 0x10000, code = c & 0x07;
        } else {
            return i;
        }
        if (i + length > n) return i;
        for (int k = 1; k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return i;
            code = (code << 6) | (p[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and code points past Unicode are not text.
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return i;
        i += length;
    }
    return std::nullopt;
}

int lineOfOffset(const QByteArray& bytes, qsizetype offset) {
    int line = 1;
    for (qsizetype i = 0; i < offset; ++i) {
        if (bytes.at(i) == '\n') ++line;
        else if (bytes.at(i) == '\r' && (i + 1 >= bytes.size() || bytes.at(i + 1) != '\n')) ++line;
    }
    return line;
}

// The separator the first line that is not blank uses outside quotes.
QChar detectSeparator(const QString& text) {
    int commas = 0;
    int semicolons = 0;
    bool quoted = false;
    qsizetype start = 0;
    while (start < text.size() && text.at(start).isSpace()) ++start;
    for (const QChar c : QStringView(text).mid(start)) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (!quoted) {
            if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) break;
            if (c == QLatin1Char(',')) ++commas;
            if (c == QLatin1Char(';')) ++semicolons;
        }
    }
    return semicolons > commas ? QLatin1Char(';') : QLatin1Char(',');
}

bool allBlank(const QStringList& fields) {
    for (const QString& field : fields)
        if (!field.trimmed().isEmpty()) return false;
    return true;
}

Result refused(int line, const QString& error) {
    Result result;
    result.errorLine = line;
    result.error = error;
    return result;
}

}  // namespace

Result read(const QByteArray& input) {
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    if (const auto bad = firstNonText(bytes)) {
        const int line = lineOfOffset(bytes, *bad);
        return refused(line, QStringLiteral("Line %1: the file is not UTF-8 text.").arg(line));
    }
    const QString text = QString::fromUtf8(bytes);

    Result result;
    result.separator = detectSeparator(text);
    const QChar separator = result.separator;
    const QChar quote = QLatin1Char('"');

    int line = 1;
    Record record;
    record.line = 1;
    QString field;
    bool fieldStarted = false;  // something (even "") was read for the field
    const qsizetype n = text.size();
    qsizetype i = 0;

    auto endRecord = [&]() {
        record.fields.append(field);
        field.clear();
        fieldStarted = false;
        if (!allBlank(record.fields)) result.records.push_back(std::move(record));
        record = Record();
    };

    while (i < n) {
        const QChar c = text.at(i);
        if (c == quote && !fieldStarted) {
            // A quoted field runs to the quote that is not doubled.
            const int startLine = line;
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar q = text.at(i);
                if (q == quote) {
                    if (i + 1 < n && text.at(i + 1) == quote) {
                        field += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                if (q == QLatin1Char('\n') ||
                    (q == QLatin1Char('\r') && (i + 1 >= n || text.at(i + 1) != QLatin1Char('\n'))))
                    ++line;
                field += q;
                ++i;
            }
            if (!closed)
                return refused(startLine,
                               QStringLiteral("Line %1: a quoted field is not closed.").arg(startLine));
            fieldStarted = true;
            if (i < n && text.at(i) != separator && text.at(i) != QLatin1Char('\n') &&
                text.at(i) != QLatin1Char('\r'))
                return refused(line, QStringLiteral("Line %1: a quoted field is followed by text "
                                                    "before the next separator.")
                                         .arg(line));
            continue;
        }
        if (c == separator) {
            record.fields.append(field);
            field.clear();
            fieldStarted = false;
            ++i;
            continue;
        }
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            i += (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n')) ? 2 : 1;
            endRecord();
            ++line;
            record.line = line;
            continue;
        }
        field += c;
        fieldStarted = true;
        ++i;
    }
    if (fieldStarted || !field.isEmpty() || !record.fields.isEmpty()) endRecord();
    result.ok = true;
    return result;
}

}  // namespace CsvReader
