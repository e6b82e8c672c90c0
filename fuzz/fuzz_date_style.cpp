// Date styles and date fields in a German locale (its own separator, names outside ASCII). Input: three bytes
// choose a day of the years 1 to 9999, one the date type (signed), one the fields' visible flags, then the style.
#include <QHash>

#include "FuzzCheck.h"
#include "core/FieldLabelSet.h"
#include "print/DateRendering.h"

static const QLocale kGerman(QLocale::German, QLocale::Germany);

// The style written by tokens found with a regular expression, longest code first, in either case.
static QString reference(QDate date, const QString& style) {
    static const QRegularExpression codes(u"dddd|ddd|dd|d|mmmm|mmm|mm|m|yyyy|yy|/"_s,
                                          QRegularExpression::CaseInsensitiveOption);
    const int weekday = date.dayOfWeek();
    const QHash<QString, QString> written = {
        {u"d"_s, QString::number(date.day())}, {u"dd"_s, QString::asprintf("%02d", date.day())},
        {u"ddd"_s, kGerman.dayName(weekday, QLocale::ShortFormat)}, {u"dddd"_s, kGerman.dayName(weekday)},
        {u"m"_s, QString::number(date.month())}, {u"mm"_s, QString::asprintf("%02d", date.month())},
        {u"mmm"_s, kGerman.monthName(date.month(), QLocale::ShortFormat)}, {u"mmmm"_s, kGerman.monthName(date.month())},
        {u"yy"_s, QString::asprintf("%02d", date.year() % 100)}, {u"yyyy"_s, QString::asprintf("%04d", date.year())},
        {u"/"_s, u"."_s}};  // the German short date reads dd.MM.yy
    QString out;
    qsizetype copied = 0;
    for (auto it = codes.globalMatch(style); it.hasNext(); copied = it.peekNext().capturedEnd(), it.next())
        out += style.mid(copied, it.peekNext().capturedStart() - copied) +
               written.value(it.peekNext().captured().toLower());
    return out + style.mid(copied);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    static const qint64 first = QDate(1, 1, 1).toJulianDay(), days = QDate(9999, 12, 31).toJulianDay() - first + 1;
    const QDate date = QDate::fromJulianDay(first + (data[0] | data[1] << 8 | data[2] << 16) % days);
    const int type = static_cast<std::int8_t>(data[3]);
    const QString style = fuzzText(data + 5, size - 5), written = formatDateStyle(date, style, kGerman);
    const QString detail = date.toString(Qt::ISODate) + u" type %1 style "_s.arg(type) + style + u" wrote "_s + written;
    FUZZ_CHECK(written == reference(date, style) && formatDateStyle(date, style, QLocale(kGerman)) == written, detail);
    FieldLabelSet labels;
    for (int i = 0; i < kFieldCount; ++i)
        labels[i].caption = u"\u2026untouched"_s, labels[i].visible = (data[4] >> (i % 8) & 1) != 0;
    const FieldLabelSet before = labels;
    fillDateLabels(type, date, style, labels, kGerman);
    // Boxes hold ddmmyyyy; type 0 writes, shows the date field, 1 boxes but Y1 Y2, 2 all boxes; others change no flag.
    const QString digits = QString::asprintf("%02d%02d%04d", date.day(), date.month(), date.year());
    for (int i = 0; i < kFieldCount; ++i) {
        const bool box = i >= FieldSDateD1, full = i == FieldDate, kept = (!full && !box) || type < 0 || type > 2;
        const QString caption = box ? digits.mid(i - FieldSDateD1, 1) : full && type == 0 ? written : before[i].caption;
        const bool shown =
            full ? type == 0 : box && (type == 2 || (type == 1 && i != FieldSDateY1 && i != FieldSDateY2));
        FUZZ_CHECK(labels[i].caption == caption && labels[i].visible == (kept ? before[i].visible : shown),
                   detail + u" field %1: "_s.arg(i) + labels[i].caption);
    }
    return 0;
}
