#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <vector>

class Database;
class QLineEdit;

// Texts a user can type or paste into any box of the program that take apart a
// careless statement, layout or conversion.
struct BadText {
    std::string name;
    QString text;
};

inline void PrintTo(const BadText& bad, std::ostream* os) { *os << bad.name; }

const std::vector<BadText>& badTexts();
// The 10,000-character one.
QString longBadText();

// Puts `text` into a box as a user would: typed key by key when every character
// can be typed on a keyboard, else pasted from the clipboard (control characters,
// letters beyond the basic plane, very long texts). The box keeps the focus.
void enterText(QLineEdit* box, const QString& text);
// Pastes `text` over the box's whole text with Ctrl+V.
void pasteText(QLineEdit* box, const QString& text);
// Whether every character of the text can be typed with a key.
bool typeable(const QString& text);

// A readable comparison of two possibly very long texts: their lengths and the
// first position where they differ.
testing::AssertionResult sameText(const QString& actual, const QString& expected);

// The rows of every table and the engine's integrity verdict.
struct TableState {
    qint64 settings = 0, company = 0, languages = 0, words = 0, formats = 0;
    QStringList schema;  // every table, index and trigger with its SQL
    QString integrity;

    bool operator==(const TableState&) const = default;
};
TableState tableState(Database& db);
std::ostream& operator<<(std::ostream& os, const TableState& s);
