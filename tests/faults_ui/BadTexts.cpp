#include "BadTexts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include "store/Database.h"

namespace {

QString controlText() {
    QString text = QStringLiteral("Tab\there");
    text += QChar(0x01);
    text += QStringLiteral("bell");
    text += QChar(0x07);
    text += QChar(0x1b);
    text += QStringLiteral("[31mred");
    text += QChar(0x7f);
    text += QStringLiteral("\r\nnext line");
    text += QChar(0x00);
    text += QStringLiteral("after nul");
    text += QChar(0x85);  // next line, C1
    return text;
}

}  // namespace

QString longBadText() {
    static const QString text = [] {
        const QString piece = QStringLiteral("O'Neil \"&\" Sons; DROP TABLE Company; -- ");
        QString all;
        while (all.size() < 10000) all += piece;
        all.truncate(10000);
        return all;
    }();
    return text;
}

const std::vector<BadText>& badTexts() {
    static const std::vector<BadText> texts = {
        {"Quotes", QStringLiteral("O'Brien \"The Best\" `Ltd` ''\"\"")},
        {"SqlDrop", QStringLiteral("x\"); DROP TABLE Company; --")},
        {"SqlDeleteFormats", QStringLiteral("a' OR 1=1; DELETE FROM BankCheque WHERE \"1\"=\"1")},
        {"TenThousandCharacters", longBadText()},
        {"ControlCharacters", controlText()},
        {"RightToLeft",
         QString::fromUtf8("\xd8\xb4\xd8\xb1\xd9\x83\xd8\xa9 \xd8\xa7\xd9\x84\xd8\xa3"
                           "\xd9\x85\xd9\x84 \xe2\x80\xae(RLO) \xd7\xa9\xd7\x9c\xd7"
                           "\x95\xd7\x9d\xe2\x80\xac 12")},
        {"CombiningLetters",
         QString::fromUtf8("A\xcc\x8a\x73tro\xcc\x88m e\xcc\x81\xcc\x82 Z\xcd\x91"
                           "\xcd\xa2 stra\xc3\x9f"
                           "e \xf0\x9f\x98\x80 \xef\xac\x81")},
    };
    return texts;
}

bool typeable(const QString& text) {
    if (text.size() > 200) return false;
    // Key clicks carry Latin-1 characters only.
    for (const QChar c : text)
        if (!c.isPrint() || c.unicode() > 0xff) return false;
    return true;
}

void pasteText(QLineEdit* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

void enterText(QLineEdit* box, const QString& text) {
    if (!typeable(text)) {
        pasteText(box, text);
        return;
    }
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

testing::AssertionResult sameText(const QString& actual, const QString& expected) {
    if (actual == expected) return testing::AssertionSuccess();
    qsizetype i = 0;
    while (i < actual.size() && i < expected.size() && actual.at(i) == expected.at(i)) ++i;
    auto around = [i](const QString& s) {
        return s.mid(std::max<qsizetype>(0, i - 10), 30).toStdString();
    };
    return testing::AssertionFailure()
           << "lengths " << actual.size() << " and " << expected.size() << ", first difference at "
           << i << ": \"" << around(actual) << "\" against \"" << around(expected) << "\"";
}

TableState tableState(Database& db) {
    auto count = [&db](const char* table) {
        auto s =
            db.prepare(QStringLiteral("SELECT COUNT(*) AS n FROM ") + QString::fromLatin1(table));
        s.step();
        return s.integer("n");
    };
    TableState state;
    state.settings = count("Settings");
    state.company = count("Company");
    state.languages = count("LanguageMain");
    state.words = count("AmountWord");
    state.formats = count("BankCheque");
    auto schema = db.prepare(QStringLiteral(
        "SELECT type || ' ' || name || ' ' || IFNULL(sql, '') AS s FROM sqlite_master "
        "WHERE name NOT LIKE 'sqlite_%' ORDER BY type, name"));
    while (schema.step()) state.schema << schema.text("s");
    auto check = db.prepare(QStringLiteral("PRAGMA integrity_check"));
    while (check.step()) state.integrity += check.text(0);
    return state;
}

std::ostream& operator<<(std::ostream& os, const TableState& s) {
    return os << "Settings " << s.settings << ", Company " << s.company << ", LanguageMain "
              << s.languages << ", AmountWord " << s.words << ", BankCheque " << s.formats << ", "
              << s.schema.size() << " schema objects, integrity " << s.integrity.toStdString();
}
