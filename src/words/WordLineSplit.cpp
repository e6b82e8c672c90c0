#include "words/WordLineSplit.h"

#include <QList>

#include "platform/TextMeasure.h"
#include "core/FieldLabelSet.h"
#include "words/AmountToWords.h"

WordLines splitWordLines(const QString& words, const FontSpec& word1Font, double word1Width,
                         const TextMeasure& measure) {
    WordLines lines;
    if (words.isEmpty()) return lines;
    QString run;
    bool onLine2 = false;
    for (const QStringView token : QStringView(words).split(QLatin1Char(' '))) {
        QString piece = QLatin1Char(' ') + token.toString();
        if (!onLine2) {
            run += piece;
            // The run only grows, so once a word overflows every later one does too.
            onLine2 = !(measure.widthTwips(run, word1Font) < word1Width);
        }
        (onLine2 ? lines.line2 : lines.line1) += piece;
    }
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
