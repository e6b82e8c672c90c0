#include "print/DateRendering.h"

#include "core/FieldLabelSet.h"

namespace {

QString twoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

// How many times `c` (a lower-case code letter) repeats at `pos` in either
// case, at most `max`.
int runLength(const QString& text, qsizetype pos, QChar c, int max) {
    int n = 0;
    while (n < max && pos + n < text.size() && text.at(pos + n).toLower() == c) ++n;
    return n;
}

}  // namespace

QString dateSeparator(const QLocale& locale) {
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (!quoted && !c.isLetterOrNumber() && !c.isSpace()) return QString(c);
    }
    return QStringLiteral("/");
}

QString formatDateStyle(QDate date, const QString& dateStyle, const QLocale& locale) {
    QString out;
    qsizetype i = 0;
    while (i < dateStyle.size()) {
        // The codes are read whatever their letter case: "DD/MM/YYYY" is "dd/mm/yyyy".
        const QChar c = dateStyle.at(i).toLower();
        if (c == QLatin1Char('d')) {
            const int n = runLength(dateStyle, i, c, 4);
            switch (n) {
                case 1:
                    out += QString::number(date.day());
                    break;
                case 2:
                    out += twoDigits(date.day());
                    break;
                case 3:
                    out += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
                    break;
                default:
                    out += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
                    break;
            }
            i += n;
        } else if (c == QLatin1Char('m')) {
            const int n = runLength(dateStyle, i, c, 4);
            switch (n) {
                case 1:
                    out += QString::number(date.month());
                    break;
                case 2:
                    out += twoDigits(date.month());
                    break;
                case 3:
                    out += locale.monthName(date.month(), QLocale::ShortFormat);
                    break;
                default:
                    out += locale.monthName(date.month(), QLocale::LongFormat);
                    break;
            }
            i += n;
        } else if (c == QLatin1Char('y') && runLength(dateStyle, i, c, 2) == 2) {
            if (runLength(dateStyle, i, c, 4) == 4) {
                out += QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
                i += 4;
            } else {
                out += twoDigits(((date.year() % 100) + 100) % 100);
                i += 2;
            }
        } else if (c == QLatin1Char('/')) {
            out += dateSeparator(locale);
            ++i;
        } else {
            out += dateStyle.at(i);
            ++i;
        }
    }
    return out;
}

void fillDateLabels(int dateType, QDate date, const QString& dateStyle, FieldLabelSet& labels,
                    const QLocale& locale) {
    const QString digits = twoDigits(date.day()) + twoDigits(date.month()) +
                           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
    for (int k = 0; k < 8; ++k)
        labels[FieldSDateD1 + k].caption = k < digits.size() ? QString(digits.at(k)) : QString();

    switch (dateType) {
        case 0:
            labels[FieldDate].caption = formatDateStyle(date, dateStyle, locale);
            labels[FieldDate].visible = true;
            for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) labels[i].visible = false;
            break;
        case 1:
        case 2:
            labels[FieldDate].visible = false;
            for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) labels[i].visible = true;
            if (dateType == 1) {
                labels[FieldSDateY1].visible = false;
                labels[FieldSDateY2].visible = false;
            }
            break;
        default:
            break;
    }
}
