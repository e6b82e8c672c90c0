// Amount texts: what the amount box accepts, how it rewrites them and their cents,
// checked against exact integer arithmetic written here without the parser's code.
#include <QRegularExpression>

#include <cstdint>
#include <limits>
#include <optional>

#include "FuzzCheck.h"
#include "core/AmountText.h"

namespace {

using u128 = unsigned __int128;

// Digits (and "," between them) before an optional "." and digits, blanks around.
const QRegularExpression& acceptedPattern() {
    static const QRegularExpression re(
        QRegularExpression::anchoredPattern(QStringLiteral("([0-9,]*)(?:\\.([0-9]*))?")));
    return re;
}

const QRegularExpression& displayPattern() {
    static const QRegularExpression re(QRegularExpression::anchoredPattern(
        QStringLiteral("(?:0|[1-9][0-9]{0,2}(?:,[0-9]{3})*)\\.[0-9]{2}")));
    return re;
}

QString decimal(u128 value) {
    QString out;
    do {
        out.prepend(QChar(u'0' + static_cast<char16_t>(value % 10)));
        value /= 10;
    } while (value != 0);
    return out;
}

// Cents as the amount box shows them: "," every three integer digits, two decimals.
QString displayText(u128 cents) {
    QString whole = decimal(cents / 100);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, QLatin1Char(','));
    const auto fraction = static_cast<int>(cents % 100);
    return whole + QStringLiteral(".%1").arg(fraction, 2, 10, QLatin1Char('0'));
}

u128 pow10(int n) {
    u128 p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

// The cents of integer digits `whole` and decimals `fraction`, half away from
// zero, when the number is short enough for 128-bit arithmetic.
std::optional<u128> exactCents(QString whole, QString fraction) {
    while (whole.startsWith(QLatin1Char('0'))) whole.remove(0, 1);
    while (fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
    if (whole.size() + fraction.size() > 36) return std::nullopt;
    u128 n = 0;
    for (const QChar c : QString(whole + fraction)) n = n * 10 + (c.unicode() - u'0');
    const u128 scale = pow10(static_cast<int>(fraction.size()));
    // floor(n * 100 / scale + 1/2)
    return (200 * n + scale) / (2 * scale);
}

bool fitsInt64(QString digits) {
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0'))) digits.remove(0, 1);
    const QString max = QString::number(std::numeric_limits<std::int64_t>::max());
    return digits.size() < max.size() || (digits.size() == max.size() && digits <= max);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = fuzzText(data, size);
    const auto formatted = AmountText::format(text);
    const QString rewritten = AmountText::rewrite(text);
    const auto cents = AmountText::toCents(text);

    const auto match = acceptedPattern().match(text.trimmed());
    const bool anyDigit = text.contains(QRegularExpression(QStringLiteral("[0-9]")));
    FUZZ_CHECK(formatted.has_value() == (match.hasMatch() && anyDigit), quoted(text));

    if (!formatted) {
        FUZZ_CHECK(rewritten == text,
                   quoted(text) + QStringLiteral(" became ") + quoted(rewritten));
        FUZZ_CHECK(!cents.has_value(), quoted(text));
        return 0;
    }
    const QString detail = quoted(text) + QStringLiteral(" -> ") + quoted(*formatted);

    // The rewritten amount is in display form and rewrites to itself.
    FUZZ_CHECK(rewritten == *formatted, detail);
    FUZZ_CHECK(displayPattern().match(*formatted).hasMatch(), detail);
    FUZZ_CHECK(AmountText::rewrite(rewritten) == rewritten, detail);
    FUZZ_CHECK(AmountText::format(rewritten) == formatted, detail);

    // toCents agrees with the formatted text, for the text and its rewriting.
    FUZZ_CHECK(AmountText::toCents(rewritten) == cents, detail);
    QString digits = *formatted;
    digits.remove(QLatin1Char(',')).remove(QLatin1Char('.'));
    if (fitsInt64(digits)) {
        FUZZ_CHECK(cents.has_value(), detail);
        FUZZ_CHECK(displayText(static_cast<u128>(*cents)) == *formatted,
                   detail + QStringLiteral(" cents ") + QString::number(*cents));
    } else {
        FUZZ_CHECK(!cents.has_value(), detail);
    }

    // Rounding half away from zero, against exact arithmetic.
    const QString whole = match.captured(1).remove(QLatin1Char(','));
    const QString fraction = match.captured(2);
    if (const auto expected = exactCents(whole, fraction))
        FUZZ_CHECK(displayText(*expected) == *formatted,
                   detail + QStringLiteral(" expected ") + displayText(*expected));

    // The plain-decimal rounding gives the same digits without grouping.
    if (!text.contains(QLatin1Char(','))) {
        const auto plain = AmountText::roundDecimal(text, 2);
        FUZZ_CHECK(plain.has_value() && *plain == QString(*formatted).remove(QLatin1Char(',')),
                   detail + QStringLiteral(" roundDecimal ") + quoted(plain.value_or(QString())));
    }
    return 0;
}
