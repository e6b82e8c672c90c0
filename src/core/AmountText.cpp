#include "core/AmountText.h"

#include <QRegularExpression>

namespace AmountText {

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Rounds the digit strings intPart.fracPart to `decimals` places, half up on the
// magnitude. Returns the integer digits (no leading zeros but one) and decimals.
void roundDigits(QString& intPart, QString& fracPart, int decimals) {
    const bool roundUp = fracPart.size() > decimals && fracPart.at(decimals) >= QLatin1Char('5');
    fracPart = fracPart.left(decimals).leftJustified(decimals, QLatin1Char('0'));
    if (intPart.isEmpty()) intPart = QStringLiteral("0");
    if (roundUp) {
        QString all = intPart + fracPart;
        int i = all.size() - 1;
        while (i >= 0 && all.at(i) == QLatin1Char('9')) {
            all[i] = QLatin1Char('0');
            --i;
        }
        if (i < 0) {
            all.prepend(QLatin1Char('1'));
        } else {
            all[i] = QChar(all.at(i).unicode() + 1);
        }
        intPart = all.left(all.size() - decimals);
        fracPart = all.right(decimals);
    }
    int firstNonZero = 0;
    while (firstNonZero < intPart.size() - 1 && intPart.at(firstNonZero) == QLatin1Char('0'))
        ++firstNonZero;
    intPart = intPart.mid(firstNonZero);
}

QString groupThousands(const QString& digits) {
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += QLatin1Char(',');
        out += digits.at(i);
    }
    return out;
}

}  // namespace

std::optional<QString> format(const QString& text) {
    const QString t = text.trimmed();
    QString intPart;
    QString fracPart;
    bool seenPoint = false;
    bool anyDigit = false;
    for (const QChar c : t) {
        if (isDigit(c)) {
            anyDigit = true;
            (seenPoint ? fracPart : intPart) += c;
        } else if (c == QLatin1Char(',') && !seenPoint) {
            continue;
        } else if (c == QLatin1Char('.') && !seenPoint) {
            seenPoint = true;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) return std::nullopt;
    roundDigits(intPart, fracPart, 2);
    return groupThousands(intPart) + QLatin1Char('.') + fracPart;
}

QString rewrite(const QString& text) {
    const auto formatted = format(text);
    return formatted ? *formatted : text;
}

std::optional<std::int64_t> toCents(const QString& text) {
    const auto formatted = format(text);
    if (!formatted) return std::nullopt;
    QString digits = *formatted;
    digits.remove(QLatin1Char(',')).remove(QLatin1Char('.'));
    bool ok = false;
    const qlonglong cents = digits.toLongLong(&ok);
    if (!ok) return std::nullopt;
    return cents;
}

std::optional<QString> roundDecimal(const QString& text, int decimals) {
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-'))) {
        negative = true;
        t.remove(0, 1);
    }
    const qsizetype point = t.indexOf(QLatin1Char('.'));
    QString intPart = point < 0 ? t : t.left(point);
    QString fracPart = point < 0 ? QString() : t.mid(point + 1);
    if (intPart.isEmpty() && fracPart.isEmpty()) return std::nullopt;
    for (const QChar c : QString(intPart + fracPart))
        if (!isDigit(c)) return std::nullopt;
    roundDigits(intPart, fracPart, decimals);
    QString result = decimals > 0 ? intPart + QLatin1Char('.') + fracPart : intPart;
    const bool isZero = !result.contains(QRegularExpression(QStringLiteral("[1-9]")));
    if (negative && !isZero) result.prepend(QLatin1Char('-'));
    return result;
}

}  // namespace AmountText
