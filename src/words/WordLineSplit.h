#pragma once

#include <QString>

#include "core/FontSpec.h"

class Database;
class Dialogs;
class FieldLabelSet;
class TextMeasure;

// The amount in words spread over the cheque's two word lines. Every word on
// either line is preceded by one blank.
struct WordLines {
    QString line1;
    QString line2;

    bool operator==(const WordLines&) const = default;
};

// Splits `words` at every single blank (two blanks in a row give an empty word,
// which counts like any other) and gives line 1 the longest run of leading words
// whose text, measured with the blank before each word, is narrower than
// `word1Width` twips in `word1Font`; the remaining words go to line 2 unmeasured.
// A run exactly as wide as the field goes to line 2.
WordLines splitWordLines(const QString& words, const FontSpec& word1Font, double word1Width,
                         const TextMeasure& measure);

// Spells the amount caption of field Amount in `languageId` and writes the two
// lines into the captions of Word1 and Word2, measured in Word1's font and width.
// Both lines are empty when the amount is not spelled. Throws DbError.
void splitAmountWords(Database& db, Dialogs& dialogs, const TextMeasure& measure, int languageId,
                      FieldLabelSet& labels);
