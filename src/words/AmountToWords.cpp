#include "words/AmountToWords.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "store/Database.h"
#include "platform/Dialogs.h"
#include "core/AmountText.h"
#include "core/ChequeEntryRules.h"
#include "words/AmountWordTable.h"
#include "words/TextHelpers.h"

namespace {

constexpr int kSlotCount = 107;
constexpr int kCentsLabel = 100;
constexpr int kHundred = 101;
constexpr int kThousand = 102;
constexpr int kMillion = 103;
constexpr int kBillion = 104;
constexpr int kClosing = 105;
constexpr int kJoining = 106;
constexpr int kMaxDigits = ChequeEntryRules::kMaxAmountDigits;

// The amount in the display form the spelling relies on: digits grouped by ","
// and exactly two decimals. Nothing when the text is no amount. The whole text
// must match: "$" alone would let a line end through as the last cents digit.
std::optional<QString> displayForm(const QString& amountText) {
    static const QRegularExpression twoDecimals(QRegularExpression::anchoredPattern(
        QStringLiteral("(?:[0-9]{1,3}(?:,[0-9]{3})*|[0-9]+)\\.[0-9]{2}")));
    if (twoDecimals.match(amountText).hasMatch()) return amountText;
    return AmountText::format(amountText);
}

int digitValue(QChar c) { return c.unicode() - u'0'; }

// The word slots that spell a digit string of 3 to 14 digits (the last two are
// the cents), in order, the closing word last.
std::vector<int> slotSequence(const QString& digits) {
    std::vector<int> sequence;
    const int length = static_cast<int>(digits.size());
    // Groups by their lowest position counted from the right (the cents are 1 and 2).
    struct Group {
        int lowest;
        int scaleSlot;  // 0: no scale word
    };
    static constexpr Group kGroups[] = {{12, kBillion}, {9, kMillion}, {6, kThousand}, {3, 0}};
    for (const Group& group : kGroups) {
        if (group.lowest > length) continue;
        const int highest = std::min(group.lowest + 2, length);
        const int count = highest - group.lowest + 1;
        const QStringView part = QStringView(digits).mid(length - highest, count);
        if (count == 3 && part.at(0) != QLatin1Char('0')) {
            sequence.push_back(digitValue(part.at(0)));
            sequence.push_back(kHundred);
        }
        const int rest = count == 1
                             ? digitValue(part.at(0))
                             : digitValue(part.at(count - 2)) * 10 + digitValue(part.at(count - 1));
        if (rest != 0) sequence.push_back(rest);
        const bool allZero = part.count(QLatin1Char('0')) == count;
        if (group.scaleSlot != 0 && !allZero) sequence.push_back(group.scaleSlot);
    }
    const int cents = digitValue(digits.at(length - 2)) * 10 + digitValue(digits.at(length - 1));
    if (cents != 0) {
        if (!sequence.empty()) sequence.push_back(kJoining);
        sequence.push_back(kCentsLabel);
        sequence.push_back(cents);
    }
    sequence.push_back(kClosing);
    return sequence;
}

using WordTable = std::array<QString, kSlotCount>;

// Every slot is followed by a blank but the closing word, which ends with a full stop.
QString joinWords(const WordTable& words, const std::vector<int>& sequence) {
    QString result;
    for (size_t i = 0; i + 1 < sequence.size(); ++i) {
        result += words[static_cast<size_t>(sequence[i])];
        result += QLatin1Char(' ');
    }
    result += words[kClosing];
    result += QLatin1Char('.');
    return result;
}

// Reads the language's rows in Type order; the i-th row is slot i, whatever its
// Type. Only the slots in `wanted` are kept; rows past the last slot do not fit.
WordTable loadWords(Database& db, int languageId, const std::array<bool, kSlotCount>& wanted) {
    WordTable words;
    auto query =
        db.prepare(QStringLiteral("SELECT * FROM AmountWord WHERE LanguageID = ? ORDER BY Type"));
    query.bind(1, languageId);
    const int word = query.columnIndex("Word");
    for (int slot = 0; slot < kSlotCount && query.step(); ++slot)
        if (wanted[static_cast<size_t>(slot)])
            words[static_cast<size_t>(slot)] = query.textAt(word);
    return words;
}

}  // namespace

QString amountToWords(Database& db, Dialogs& dialogs, const QString& amountText, int languageId) {
    const auto amount = displayForm(amountText);
    const QString digits = amount ? removeChars(*amount, QStringLiteral(",.")) : QString();
    const bool tooLong = digits.size() > kMaxDigits;
    const std::vector<int> sequence =
        amount && !tooLong ? slotSequence(digits) : std::vector<int>();

    // The words are read afresh on every call, before the amount is judged.
    std::array<bool, kSlotCount> wanted{};
    for (int slot : sequence) wanted[static_cast<size_t>(slot)] = true;
    const WordTable words = loadWords(db, languageId, wanted);

    if (!amount) return {};
    if (tooLong) {
        dialogs.message(amountLimitText(),
                        QStringLiteral("Error"), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        return {};
    }
    return joinWords(words, sequence);
}

AmountWordTable AmountWordTable::load(Database& db, int languageId) {
    std::array<bool, kSlotCount> all;
    all.fill(true);
    AmountWordTable table;
    table.words = loadWords(db, languageId, all);
    return table;
}

QString AmountWordTable::spell(const QString& amountText) const {
    const auto amount = displayForm(amountText);
    if (!amount) return {};
    const QString digits = removeChars(*amount, QStringLiteral(",."));
    if (digits.size() > kMaxDigits) return {};
    return joinWords(words, slotSequence(digits));
}

bool exceedsWordLimit(const QString& amountText) {
    const auto amount = displayForm(amountText);
    return amount && removeChars(*amount, QStringLiteral(",.")).size() > kMaxDigits;
}

QString amountLimitText() { return ChequeEntryRules::limitMessage(); }
