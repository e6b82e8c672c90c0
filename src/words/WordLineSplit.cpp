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
    // The run only grows, so once a word overflows every later one does too: the
    // longest fitting run is found by halving.
    size_t fits = 0;
    size_t overflows = ends.size();
    while (overflows - fits > 1) {
        const size_t middle = fits + (overflows - fits) / 2;
        if (measure.widthTwips(text.left(ends[middle]), word1Font) < word1Width)
            fits = middle;
        else
            overflows = middle;
    }
    lines.line1 = text.left(ends[fits]);
    lines.line2 = text.mid(ends[fits]);
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
