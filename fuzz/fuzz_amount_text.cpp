// Amount texts: what the amount box accepts, its rewriting and cents, against exact integer arithmetic written here.
#include "FuzzCheck.h"
#include "core/AmountText.h"

using u128 = unsigned __int128;

// Cents as the amount box shows them: "," every three integer digits, two decimals.
static QString displayText(u128 cents) {
    QString whole;
    for (u128 v = cents / 100; whole.isEmpty() || v != 0; v /= 10) whole.prepend(QChar(u'0' + int(v % 10)));
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, u',');
    return whole + u".%1"_s.arg(static_cast<int>(cents % 100), 2, 10, QLatin1Char('0'));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Digits (and "," between them) before an optional "." and digits, blanks around.
    static const QRegularExpression accepted(QRegularExpression::anchoredPattern(u"([0-9,]*)(?:\\.([0-9]*))?"_s));
    static const QRegularExpression display(
        QRegularExpression::anchoredPattern(u"(?:0|[1-9][0-9]{0,2}(?:,[0-9]{3})*)\\.[0-9]{2}"_s));
    const QString text = fuzzText(data, size), rewritten = AmountText::rewrite(text);
    const auto formatted = AmountText::format(text);
    const auto cents = AmountText::toCents(text);
    const auto match = accepted.match(text.trimmed());
    FUZZ_CHECK(formatted.has_value() == (match.hasMatch() && text.contains(QRegularExpression(u"[0-9]"_s))), text);
    if (!formatted) return FUZZ_CHECK(rewritten == text && !cents, text + u" became "_s + rewritten), 0;
    const QString detail = text + u" -> "_s + *formatted;
    // The rewritten amount is in display form and rewrites to itself; toCents agrees with it and fails past 64 bits.
    FUZZ_CHECK(rewritten == *formatted && display.match(rewritten).hasMatch(), detail);
    FUZZ_CHECK(AmountText::rewrite(rewritten) == rewritten && AmountText::format(rewritten) == formatted &&
               AmountText::toCents(rewritten) == cents, detail);
    bool fits = false;
    QString(*formatted).remove(u',').remove(u'.').toLongLong(&fits);
    FUZZ_CHECK(cents.has_value() == fits && (!cents || displayText(static_cast<u128>(*cents)) == *formatted), detail);
    // Rounding half away from zero, against exact arithmetic, when 128 bits hold the number.
    const QString whole = match.captured(1).remove(u',').remove(QRegularExpression(u"^0+"_s));
    const QString fraction = match.captured(2).remove(QRegularExpression(u"0+$"_s));
    u128 n = 0, scale = 1;
    for (const QChar c : QString(whole + fraction)) n = n * 10 + (c.unicode() - u'0');
    for (qsizetype i = 0; i < fraction.size(); ++i) scale *= 10;
    FUZZ_CHECK(whole.size() + fraction.size() > 36 || displayText((200 * n + scale) / (2 * scale)) == *formatted,
               detail);
    // The plain-decimal rounding gives the same digits without grouping.
    FUZZ_CHECK(text.contains(u',') || AmountText::roundDecimal(text, 2) == QString(*formatted).remove(u','), detail);
    return 0;
}
