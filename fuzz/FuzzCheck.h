#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken property aborts the run; libFuzzer then keeps the input as a crash.
[[noreturn]] inline void fuzzFail(const char* property, const QString& detail) {
    std::fprintf(stderr, "\nproperty broken: %s\n%s\n", property, detail.toUtf8().constData());
    std::abort();
}

#define FUZZ_CHECK(condition, detail)                     \
    do {                                                  \
        if (!(condition)) fuzzFail(#condition, (detail)); \
    } while (0)

// The fuzzer's bytes as text (invalid UTF-8 becomes U+FFFD).
inline QString fuzzText(const std::uint8_t* data, std::size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Shows a text with its invisible characters escaped, for the failure messages.
inline QString quoted(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return out + QLatin1Char('"');
}
