// Date styles and the date fields, in a fixed German locale (its own date
// separator and names outside ASCII).
//
// Input: three bytes choose a day between 1 January 1 and 31 December 9999 (the
// date picker's range lies inside), one byte the date type (as a signed number),
// one byte the visible flags the fields had before, then the style.
#include <QDate>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <cstdint>

#include "FuzzCheck.h"
#include "core/FieldLabelSet.h"
#include "print/DateRendering.h"

namespace {

const QLocale& locale() {
    static const QLocale german(QLocale::German, QLocale::Germany);
    return german;
}

// The style written by tokens found with a regular expression, longest code
// first, in either letter case.
QString reference(QDate date, const QString& style) {
    static const QRegularExpression codes(QStringLiteral("dddd|ddd|dd|d|mmmm|mmm|mm|m|yyyy|yy|/"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QLocale& l = locale();
    const QHash<QString, QString> written = {
        {QStringLiteral("d"), QString::number(date.day())},
        {QStringLiteral("dd"), QString::asprintf("%02d", date.day())},
        {QStringLiteral("ddd"), l.dayName(date.dayOfWeek(), QLocale::ShortFormat)},
        {QStringLiteral("dddd"), l.dayName(date.dayOfWeek(), QLocale::LongFormat)},
        {QStringLiteral("m"), QString::number(date.month())},
        {QStringLiteral("mm"), QString::asprintf("%02d", date.month())},
        {QStringLiteral("mmm"), l.monthName(date.month(), QLocale::ShortFormat)},
        {QStringLiteral("mmmm"), l.monthName(date.month(), QLocale::LongFormat)},
        {QStringLiteral("yy"), QString::asprintf("%02d", date.year() % 100)},
        {QStringLiteral("yyyy"), QString::asprintf("%04d", date.year())},
        {QStringLiteral("/"), QStringLiteral(".")},  // the German short date reads dd.MM.yy
    };
    QString out;
    qsizetype copied = 0;
    for (auto it = codes.globalMatch(style); it.hasNext();) {
        const auto match = it.next();
        out += style.mid(copied, match.capturedStart() - copied);
        out += written.value(match.captured().toLower());
        copied = match.capturedEnd();
    }
    return out + style.mid(copied);
}

// The style without its codes: no d, m or "/", and no two "y" in a row, in either case.
QString withoutCodes(QString style) {
    static const QRegularExpression codes(QStringLiteral("[dm/]"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression yRuns(QStringLiteral("(?<=y)y+"),
                                          QRegularExpression::CaseInsensitiveOption);
    return style.remove(codes).remove(yRuns);
}

const QString kUntouched = QStringLiteral("\u2026untouched");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    static const qint64 first = QDate(1, 1, 1).toJulianDay();
    static const qint64 last = QDate(9999, 12, 31).toJulianDay();
    const qint64 pick = data[0] | data[1] << 8 | data[2] << 16;
    const QDate date = QDate::fromJulianDay(first + pick % (last - first + 1));
    const int dateType = static_cast<std::int8_t>(data[3]);
    const std::uint8_t visibleBefore = data[4];
    const QString style = fuzzText(data + 5, size - 5);
    const QString detail = date.toString(Qt::ISODate) +
                           QStringLiteral(" type %1 style ").arg(dateType) + quoted(style);

    const QString written = formatDateStyle(date, style, locale());
    FUZZ_CHECK(formatDateStyle(date, style, QLocale(locale())) == written, detail);
    FUZZ_CHECK(written == reference(date, style),
               detail + QStringLiteral("\n got ") + quoted(written) +
                   QStringLiteral("\n expected ") + quoted(reference(date, style)));
    const QString plain = withoutCodes(style);
    FUZZ_CHECK(formatDateStyle(date, plain, locale()) == plain, detail + quoted(plain));

    FieldLabelSet labels;
    for (int i = 0; i < kFieldCount; ++i) {
        labels[i].caption = kUntouched;
        labels[i].visible = (visibleBefore >> (i % 8) & 1) != 0;
    }
    const FieldLabelSet before = labels;
    fillDateLabels(dateType, date, style, labels, locale());

    const QString digits = QString::asprintf("%02d%02d%04d", date.day(), date.month(), date.year());
    for (int k = 0; k < 8; ++k)
        FUZZ_CHECK(labels[FieldSDateD1 + k].caption == digits.at(k),
                   detail + QStringLiteral(" box %1 reads ").arg(k) +
                       quoted(labels[FieldSDateD1 + k].caption));
    for (int i = FieldRecipient; i <= FieldWord2; ++i)
        FUZZ_CHECK(labels[i].caption == kUntouched && labels[i].visible == before[i].visible,
                   detail);

    const auto boxesShown = [&](bool yearHead, bool rest) {
        for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) {
            const bool head = i == FieldSDateY1 || i == FieldSDateY2;
            if (labels[i].visible != (head ? yearHead : rest)) return false;
        }
        return true;
    };
    switch (dateType) {
        case 0:
            FUZZ_CHECK(labels[FieldDate].caption == written && labels[FieldDate].visible, detail);
            FUZZ_CHECK(boxesShown(false, false), detail);
            break;
        case 1:
        case 2:
            FUZZ_CHECK(labels[FieldDate].caption == kUntouched && !labels[FieldDate].visible,
                       detail);
            FUZZ_CHECK(boxesShown(dateType == 2, true), detail);
            break;
        default:
            FUZZ_CHECK(labels[FieldDate].caption == kUntouched, detail);
            for (int i = 0; i < kFieldCount; ++i)
                FUZZ_CHECK(labels[i].visible == before[i].visible, detail);
            break;
    }
    return 0;
}
