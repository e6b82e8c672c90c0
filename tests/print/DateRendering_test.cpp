#include <gtest/gtest.h>

#include "print/DateRendering.h"
#include "core/FieldLabelSet.h"
#include "support/QStringPrinter.h"

namespace {

const QLocale kUk(QLocale::English, QLocale::UnitedKingdom);

TEST(DateRendering, StyleCodes) {
    const QDate saturday(2026, 12, 5);
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale malay(QLocale::Malay, QLocale::Malaysia);
    struct Case {
        QString style;
        QDate date;
        QLocale locale;
        QString out;
    };
    const Case cases[] = {
        {QStringLiteral("dd mmm yyyy"), saturday, kUk, QStringLiteral("05 Dec 2026")},
        {QStringLiteral("d/m/yy"), saturday, kUk, QStringLiteral("5/12/26")},
        {QStringLiteral("dd/mm/yyyy"), saturday, german, QStringLiteral("05.12.2026")},
        {QStringLiteral("dddd, d mmmm yyyy"), saturday, kUk,
         QStringLiteral("Saturday, 5 December 2026")},
        {QStringLiteral("ddd dd-mm-yyyy"), QDate(2000, 1, 1), kUk,
         QStringLiteral("Sat 01-01-2000")},
        {QStringLiteral("mmmm"), QDate(2024, 3, 9), german, QStringLiteral("M\u00e4rz")},
        {QStringLiteral("d mmmm yyyy"), QDate(2024, 3, 9), malay, QStringLiteral("9 Mac 2024")},
        // Text around and between the codes stays in place.
        {QStringLiteral("On: dd-mm-yyyy (yy)!"), saturday, kUk,
         QStringLiteral("On: 05-12-2026 (26)!")},
        // Longest code first; what no code matches is copied.
        {QStringLiteral("ddddd mmmmm"), saturday, kUk, QStringLiteral("Saturday5 December12")},
        {QStringLiteral("yyyyy y yyy"), QDate(2009, 7, 4), kUk, QStringLiteral("2009y y 09y")},
        // Either letter case is a code; a copied letter keeps its case.
        {QStringLiteral("DD/MM/YYYY"), saturday, kUk, QStringLiteral("05/12/2026")},
        {QStringLiteral("Dddd, D mMMm yYYy"), saturday, kUk,
         QStringLiteral("Saturday, 5 December 2026")},
        {QStringLiteral("DDD MMM YY Y"), saturday, kUk, QStringLiteral("Sat Dec 26 Y")},
        {QStringLiteral("m/d"), QDate(2026, 10, 31), kUk, QStringLiteral("10/31")},
        {QString(), saturday, kUk, QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatDateStyle(c.date, c.style, c.locale), c.out) << c.style.toStdString();
}

TEST(DateRendering, SeparatorComesFromTheLocale) {
    EXPECT_EQ(dateSeparator(kUk), QStringLiteral("/"));
    EXPECT_EQ(dateSeparator(QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("."));
    EXPECT_EQ(dateSeparator(QLocale(QLocale::Swedish, QLocale::Sweden)), QStringLiteral("-"));
}

// Captions of fields 5..12 as one text, and which of 0, 5..12 are visible.
QString digits(const FieldLabelSet& labels) {
    QString out;
    for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) out += labels[i].caption;
    return out;
}
QString shown(const FieldLabelSet& labels) {
    QString out = labels[FieldDate].visible ? QStringLiteral("D") : QStringLiteral("-");
    for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) out += labels[i].visible ? u'1' : u'0';
    return out;
}

TEST(DateRendering, FillDateLabels) {
    struct Case {
        int type;
        QDate date;
        QString digits;
        QString shown;  // "D" or "-" for field 0, then fields 5..12
        QString date0;  // caption of field 0
    };
    const QString placeholder = QStringLiteral("- Date -");
    const Case cases[] = {
        {0, QDate(2026, 12, 5), QStringLiteral("05122026"), QStringLiteral("D00000000"),
         QStringLiteral("05 Dec 2026")},
        {1, QDate(2026, 12, 5), QStringLiteral("05122026"), QStringLiteral("-11110011"),
         placeholder},
        {2, QDate(2026, 12, 5), QStringLiteral("05122026"), QStringLiteral("-11111111"),
         placeholder},
        {1, QDate(2000, 1, 1), QStringLiteral("01012000"), QStringLiteral("-11110011"),
         placeholder},
        {2, QDate(1999, 11, 30), QStringLiteral("30111999"), QStringLiteral("-11111111"),
         placeholder},
        // An unknown type writes the digits and changes nothing else.
        {3, QDate(2026, 12, 5), QStringLiteral("05122026"), QStringLiteral("D10101010"),
         placeholder},
        {-1, QDate(2026, 12, 5), QStringLiteral("05122026"), QStringLiteral("D10101010"),
         placeholder},
    };
    for (const auto& c : cases) {
        FieldLabelSet labels;
        labels[FieldDate].caption = placeholder;
        for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) {
            labels[i].caption = QStringLiteral("x");
            labels[i].visible = (i - FieldSDateD1) % 2 == 0;
        }
        labels[FieldRecipient].caption = QStringLiteral("payee");
        fillDateLabels(c.type, c.date, QStringLiteral("dd mmm yyyy"), labels, kUk);
        const std::string where = std::to_string(c.type) + " " + c.date.toString().toStdString();
        EXPECT_EQ(digits(labels), c.digits) << where;
        EXPECT_EQ(shown(labels), c.shown) << where;
        EXPECT_EQ(labels[FieldDate].caption, c.date0) << where;
        EXPECT_EQ(labels[FieldRecipient].caption, QStringLiteral("payee")) << where;
        EXPECT_TRUE(labels[FieldRecipient].visible) << where;
    }
}

TEST(DateRendering, TypeZeroWritesTheStyleInTheGivenLocale) {
    FieldLabelSet labels;
    fillDateLabels(0, QDate(2026, 12, 5), QStringLiteral("dddd d mmmm"), labels,
                   QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(labels[FieldDate].caption, QStringLiteral("samedi 5 d\u00e9cembre"));
}

}  // namespace
