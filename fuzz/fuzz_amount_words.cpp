// amountToWords on the English words of a freshly made database, against a
// speller written here from the rules of English amounts.
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <optional>

#include "DatabaseInit.h"
#include "FuzzCheck.h"
#include "store/Database.h"
#include "platform/Dialogs.h"
#include "core/AmountText.h"
#include "words/AmountToWords.h"

namespace {

constexpr int kEnglish = 1;
constexpr std::int64_t kTrillionInCents = 100'000'000'000'000;

class RecordingDialogs final : public Dialogs {
public:
    Answer message(const QString& text, const QString&, Icon, Buttons) override {
        messages << text;
        return Answer::Ok;
    }
    std::optional<FontSpec> chooseFont(const FontSpec&, const FontDialogOptions&) override {
        return std::nullopt;
    }
    int showModal(QDialog*) override { return 0; }
    std::optional<QString> openFileName(const QString&, const QString&,
                                        const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> saveFileName(const QString&, const QString&,
                                        const QString&) override {
        return std::nullopt;
    }
    QStringList messages;
};

Database* g_db = nullptr;

const char* const kOnes[] = {"",        "One",     "Two",       "Three",    "Four",
                             "Five",    "Six",     "Seven",     "Eight",    "Nine",
                             "Ten",     "Eleven",  "Twelve",    "Thirteen", "Fourteen",
                             "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen"};
const char* const kTens[] = {"",      "",      "Twenty",  "Thirty", "Forty",
                             "Fifty", "Sixty", "Seventy", "Eighty", "Ninety"};

void below100(int n, QStringList& words) {
    if (n == 0) return;
    if (n < 20) {
        words << QString::fromLatin1(kOnes[n]);
        return;
    }
    words << QString::fromLatin1(kTens[n / 10]);
    if (n % 10 != 0) words << QString::fromLatin1(kOnes[n % 10]);
}

// "One Hundred Twenty Three Thousand Four Hundred Five And Cents Six Only."
QString spell(std::int64_t cents) {
    QStringList words;
    const std::int64_t whole = cents / 100;
    const struct {
        std::int64_t divisor;
        const char* scale;
    } groups[] = {{1'000'000'000, "Billion"}, {1'000'000, "Million"}, {1'000, "Thousand"}, {1, ""}};
    for (const auto& group : groups) {
        const int value = static_cast<int>(whole / group.divisor % 1000);
        if (value == 0) continue;
        if (value >= 100)
            words << QString::fromLatin1(kOnes[value / 100]) << QStringLiteral("Hundred");
        below100(value % 100, words);
        if (*group.scale != '\0') words << QString::fromLatin1(group.scale);
    }
    const int rest = static_cast<int>(cents % 100);
    if (rest != 0) {
        if (!words.isEmpty()) words << QStringLiteral("And");
        words << QStringLiteral("Cents");
        below100(rest, words);
    }
    words << QStringLiteral("Only");
    return words.join(QLatin1Char(' ')) + QLatin1Char('.');
}

int asciiDigits(const QString& text) {
    int n = 0;
    for (const QChar c : text) n += c >= QLatin1Char('0') && c <= QLatin1Char('9') ? 1 : 0;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static QTemporaryDir directory;
    if (!directory.isValid()) fuzzFail("temporary folder", directory.errorString());
    DatabaseInit::createDatabase(directory.path());
    static const auto db =
        Database::open(QDir(directory.path()).filePath(DatabaseInit::fileName()));
    g_db = db.get();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = fuzzText(data, size);
    RecordingDialogs dialogs;
    const QString words = amountToWords(*g_db, dialogs, text, kEnglish);

    const auto formatted = AmountText::format(text);
    if (!formatted) {
        FUZZ_CHECK(words.isEmpty() && dialogs.messages.isEmpty(), quoted(text) + quoted(words));
        return 0;
    }
    // The formatted amount in cents; texts past 64 bits are far over the limit.
    const auto cents = AmountText::toCents(*formatted);
    const bool overLimit = !cents || *cents >= kTrillionInCents;
    const QString expected = overLimit ? QString() : spell(*cents);
    const QString detail = quoted(text) + QStringLiteral("\n got      ") + quoted(words) +
                           QStringLiteral("\n expected ") + quoted(expected);

    if (words.isEmpty()) {
        FUZZ_CHECK(dialogs.messages == QStringList{QStringLiteral(
                                           "Invalid amount. Amount can't exceed trillion value.")},
                   detail);
        // Only an amount of a trillion or more, or a text whose own digits are
        // more than fourteen, reaches the limit.
        FUZZ_CHECK(overLimit || asciiDigits(text) > 14, detail);
    } else {
        FUZZ_CHECK(words == expected, detail);
        FUZZ_CHECK(dialogs.messages.isEmpty(), detail);
    }
    return 0;
}
