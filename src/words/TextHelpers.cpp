#include "words/TextHelpers.h"

QString removeChars(const QString& text, const QString& chars) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text)
        if (!chars.contains(c)) result += c;
    return result;
}

QString firstWord(const QString& text) {
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    return blank < 0 ? text : text.left(blank);
}

QString toUpperCase(const QString& text) { return text.toUpper(); }

namespace {

// Upper case at the start of the text and after a blank; every other code point
// in lower case, or as it is when `keepRest`.
QString raiseWordStarts(const QString& text, bool keepRest) {
    // Walks code points so that letters outside the basic plane change case too;
    // simple one-to-one mappings keep the text's length.
    QString result;
    result.reserve(text.size());
    bool wordStart = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t cp = text.at(i).unicode();
        const bool pair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        if (pair) cp = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
        const char32_t mapped = wordStart ? QChar::toUpper(cp) : keepRest ? cp : QChar::toLower(cp);
        if (QChar::requiresSurrogates(mapped)) {
            result += QChar(QChar::highSurrogate(mapped));
            result += QChar(QChar::lowSurrogate(mapped));
        } else {
            result += QChar(static_cast<char16_t>(mapped));
        }
        wordStart = cp == U' ';
        if (pair) ++i;
    }
    return result;
}

}  // namespace

QString toProperCase(const QString& text) { return raiseWordStarts(text, false); }

QString toProperCaseName(const QString& text) { return raiseWordStarts(text, true); }
