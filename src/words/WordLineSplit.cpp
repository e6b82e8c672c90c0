#include "words/WordLineSplit.h"

#include <QList>

#include <vector>

#include "platform/TextMeasure.h"
#include "core/FieldLabelSet.h"
#include "words/AmountToWords.h"

WordLines splitWordLines(const QString& words, const FontSpec& word1Font, double word1Width,
                         const TextMeasure& measure) {
    WordLines lines;
    if (words.isEmpty()) return lines;
    // Each word with its blank; ends[k] is where the first k words end in `text`.
    const QString text = QLatin1Char(' ') + words;
    std::vector<qsizetype> ends{0};
    for (qsizetype i = 1; i < text.size(); ++i)
        if (text.at(i) == QLatin1Char(' ')) ends.push_back(i);
    ends.push_back(text.size());
    const size_t count = ends.size() - 1;
    auto fits = [&](size_t k) {
        return k == 0 || measure.widthTwips(text.left(ends[k]), word1Font) < word1Width;
    };
    // The run only grows, so once a word overflows every later one does too. The
    // widths of the words measured alone (the same few words recur on every
    // cheque) give a first guess; the guess and the word after it are measured
    // as one run, and only a wrong guess is searched for by halving.
    double sum = 0;
    size_t guess = 0;
    for (size_t k = 1; k <= count; ++k) {
        sum += measure.widthTwips(text.mid(ends[k - 1], ends[k] - ends[k - 1]), word1Font);
        if (!(sum < word1Width)) break;
        guess = k;
    }
    size_t low = 0;             // fits
    size_t high = count + 1;   // overflows (past the last word)
    if (fits(guess)) {
        low = guess;
        if (guess + 1 <= count && !fits(guess + 1)) high = guess + 1;
    } else {
        high = guess;
    }
    while (high - low > 1) {
        const size_t middle = low + (high - low) / 2;
        (fits(middle) ? low : high) = middle;
    }
    lines.line1 = text.left(ends[low]);
    lines.line2 = text.mid(ends[low]);
    return lines;
}

void splitAmountWords(Database& db, Dialogs& dialogs, const TextMeasure& measure, int languageId,
                      FieldLabelSet& labels) {
    const QString words = amountToWords(db, dialogs, labels[FieldAmount].caption, languageId);
    const FieldLabel& word1 = labels[FieldWord1];
    const WordLines lines = splitWordLines(words, word1.font, word1.width, measure);
    labels[FieldWord1].caption = lines.line1;
    labels[FieldWord2].caption = lines.line2;
}
