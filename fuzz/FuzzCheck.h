#pragma once

#include <QRegularExpression>
#include <QString>

#include <cstdint>

using namespace Qt::StringLiterals;

// The fuzzer's bytes as text (invalid UTF-8 becomes U+FFFD).
inline QString fuzzText(const std::uint8_t* data, std::size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A broken property aborts the run (libFuzzer keeps the input as a crash); the detail has invisible characters escaped.
[[noreturn]] inline void fuzzFail(const char* property, const QString& detail) {
    QString shown;
    for (const QChar c : detail)
        shown += c >= u' ' && c <= u'~' ? QString(c) : u"\\u%1"_s.arg(c.unicode(), 4, 16, QLatin1Char('0'));
    qFatal("\nproperty broken: %s\n\"%s\"", property, shown.toUtf8().constData());
}
#define FUZZ_CHECK(condition, detail) ((condition) ? void() : fuzzFail(#condition, (detail)))
