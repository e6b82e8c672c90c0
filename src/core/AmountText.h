#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Exact amount texts. Amounts never pass through binary floating point: the
// decimal digits are rounded half away from zero to cents.
namespace AmountText {

// Parses an amount typed by the user: digits with "," between thousands (any
// grouping), at most one "." and at least one digit; blanks around it are ignored.
// Negative amounts and anything else are not amounts. Returns the text rounded
// to two decimals as "###,###,##0.00", or nothing.
std::optional<QString> format(const QString& text);

// What the amount box does when it loses the focus: a number is rewritten as
// "###,###,##0.00"; any other text (the empty text included) stays as it is.
QString rewrite(const QString& text);

// The amount in cents when it fits in 64 bits.
std::optional<std::int64_t> toCents(const QString& text);

// Rounds a plain decimal text (optional "-", digits, optional "." and digits) to
// `decimals` places, half away from zero, and returns it with exactly that many
// decimals and no grouping. Nothing when the text is not such a number.
std::optional<QString> roundDecimal(const QString& text, int decimals);

}  // namespace AmountText
