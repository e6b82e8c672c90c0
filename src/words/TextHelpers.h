#pragma once

#include <QString>

// `text` without every character that occurs anywhere in `chars` (exact,
// case-sensitive comparison); the other characters keep their order.
QString removeChars(const QString& text, const QString& chars);

// The characters of `text` before its first blank: the whole text when it holds
// none, the empty text when it starts with one. Takes the bank code out of a
// bank list entry "CODE - Name".
QString firstWord(const QString& text);

// Every letter in upper case.
QString toUpperCase(const QString& text);

// A letter at the start of the text or after a blank (" ") in upper case, every
// other letter in lower case; all other characters unchanged.
QString toProperCase(const QString& text);

// A name in Proper Case: a letter at the start of the text or after a blank in
// upper case, every other character exactly as typed (McDonald, O'Brien, ACME Ltd).
QString toProperCaseName(const QString& text);
