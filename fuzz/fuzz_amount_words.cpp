// amountToWords with the English words of a new database, against a speller written here from English amount rules.
#include <QTemporaryDir>

#include "DatabaseInit.h"
#include "FuzzCheck.h"
#include "core/AmountText.h"
#include "platform/Dialogs.h"
#include "store/Database.h"
#include "words/AmountToWords.h"

struct RecordingDialogs final : Dialogs {
    Answer message(const QString& text, const QString&, Icon, Buttons) override { return messages << text, Answer::Ok; }
    std::optional<FontSpec> chooseFont(const FontSpec&, const FontDialogOptions&) override { return {}; }
    int showModal(QDialog*) override { return 0; }
    std::optional<QString> openFileName(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QStringList messages;
};

static const QStringList kOnes = u"_ One Two Three Four Five Six Seven Eight Nine Ten Eleven Twelve Thirteen Fourteen "
                                 "Fifteen Sixteen Seventeen Eighteen Nineteen"_s.split(u' ');
static const QStringList kTens = u"_ _ Twenty Thirty Forty Fifty Sixty Seventy Eighty Ninety"_s.split(u' ');

// "One Hundred Twenty Three Thousand Four Hundred Five And Cents Six Only."
static QString spell(std::int64_t cents) {
    QStringList words;
    const auto upTo99 = [&](int n) { if (n >= 20) words << kTens[n / 10], n %= 10; if (n > 0) words << kOnes[n]; };
    for (const auto& [divisor, scale] : {std::pair{1'000'000'000LL, u"Billion"_s}, {1'000'000LL, u"Million"_s},
                                         {1'000LL, u"Thousand"_s}, {1LL, QString()}}) {
        const int value = static_cast<int>(cents / 100 / divisor % 1000);
        if (value >= 100) words << kOnes[value / 100] << u"Hundred"_s;
        upTo99(value % 100);
        if (value != 0 && !scale.isEmpty()) words << scale;
    }
    if (cents % 100 != 0)
        words << (words.isEmpty() ? QStringList() : QStringList{u"And"_s}) << u"Cents"_s, upTo99(cents % 100);
    return (words << u"Only"_s).join(u' ') + u'.';
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir directory;  // the database is made afresh on the first input
    static const auto db = Database::open(DatabaseInit::createDatabase(directory.path()));
    const QString text = fuzzText(data, size);
    RecordingDialogs dialogs;
    const QString words = amountToWords(*db, dialogs, text, 1);  // English
    const auto formatted = AmountText::format(text);
    const auto cents = formatted ? AmountText::toCents(*formatted) : std::nullopt;
    const bool overLimit = formatted && (!cents || *cents >= 100'000'000'000'000);  // past 64 bits: far over
    const QString expected = formatted && !overLimit ? spell(*cents) : QString();
    const QString detail = text + u" gave "_s + words + u" expected "_s + expected;
    // No amount, no words; only an amount of a trillion or more, or a text of over fourteen digits, reaches the limit.
    const QStringList limit = {u"Invalid amount. Amount can't exceed trillion value."_s};
    FUZZ_CHECK(!formatted ? words.isEmpty() && dialogs.messages.isEmpty()
               : words.isEmpty() ? dialogs.messages == limit &&
                                       (overLimit || text.count(QRegularExpression(u"[0-9]"_s)) > 14)
               : !overLimit && words == spell(*cents) && dialogs.messages.isEmpty(), detail);
    return 0;
}
