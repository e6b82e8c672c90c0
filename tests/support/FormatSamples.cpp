#include "FormatSamples.h"

#include "store/Database.h"

using namespace Qt::StringLiterals;

ChequeFormat distinctFormat(const QString& code) {
    ChequeFormat f;
    f.bankName = u"Name of "_s + code, f.bankCode = code, f.amountLanguage = 2, f.dateType = 2;
    f.printerName = u"Cheque-Printer"_s, f.orientation = u"P"_s;
    f.chequeWidth = 12240, f.chequeHeight = 4334.4, f.chequeTop = 43.2, f.chequeLeft = -72.5;  // 8.50 by 3.01 in
    for (size_t i = 0; i < f.fields.size(); ++i) {
        const float n = static_cast<float>(i);
        f.fields.at(i) = {100.5f + 10 * n, 200.25f + 10 * n, 300.75f + 10 * n};
        if (i < f.fonts.size()) f.fonts.at(i) = {u"Face%1"_s.arg(i), 8.5f + n, i % 2 == 0};
    }
    f.sdateFont = {u"DigitFace"_s, 17.5f, true};
    return f;
}

std::vector<std::pair<QString, QVariant>> expectedColumns(const ChequeFormat& f) {
    const auto bold = [](bool b) { return QVariant(b ? u"True"_s : u"False"_s); };
    std::vector<std::pair<QString, QVariant>> columns = {
        {u"BankName"_s, f.bankName}, {u"BankCode"_s, f.bankCode}, {u"AmountLanguage"_s, qint64(f.amountLanguage)},
        {u"PrinterName"_s, f.printerName}, {u"Orientation"_s, f.orientation}, {u"ChequeWidth"_s, f.chequeWidth},
        {u"ChequeHeight"_s, f.chequeHeight}, {u"ChequeTop"_s, f.chequeTop}, {u"ChequeLeft"_s, f.chequeLeft},
        {u"DateType"_s, qint64(f.dateType)},
    };
    const QStringList stems = u"Date Recipient Amount Word1 Word2 SDateD1 SDateD2 SDateM1 SDateM2 "
                              u"SDateY1 SDateY2 SDateY3 SDateY4"_s.split(u' ');
    for (int i = 0; i < 13; ++i) {
        const FieldGeometry& g = f.fields.at(static_cast<size_t>(i));
        columns.insert(columns.end(), {{stems[i] + u"Left"_s, double(g.left)}, {stems[i] + u"Top"_s, double(g.top)},
                                       {stems[i] + u"Width"_s, double(g.width)}});
        const FontSpec& font = i < 5 ? f.fonts.at(static_cast<size_t>(i)) : f.sdateFont;
        const QString stem = i < 5 ? stems[i] : u"SDate"_s;
        if (i < 5 || i == 12)
            columns.insert(columns.end(), {{stem + u"Font"_s, font.face}, {stem + u"FontSize"_s, double(font.size)},
                                           {stem + u"FontStyle"_s, bold(font.bold)}});
    }
    return columns;
}

QVariantMap storedRow(Database& db, const QString& code) {
    QVariantMap row;
    Statement query = db.prepare(u"SELECT * FROM BankCheque WHERE BankCode = ?"_s);
    query.bind(1, code);
    if (!query.step()) return row;
    for (Statement names = db.prepare(u"PRAGMA table_info(BankCheque)"_s); names.step();)
        row.insert(names.text("name"), query.value(names.text("name").toLatin1().constData()));
    return row;
}

// Values compare with their stored type: text, integer or real.
testing::AssertionResult rowMatches(const QVariantMap& row, const std::vector<std::pair<QString, QVariant>>& expected) {
    QStringList wrong;
    for (const auto& [name, value] : expected) {
        const QVariant stored = row.value(name);
        const bool same = value.typeId() == QMetaType::Double ? stored.toDouble() == value.toDouble() : stored == value;
        if (stored.typeId() != value.typeId() || !same)
            wrong << name + u": stored "_s + stored.toString() + u", expected "_s + value.toString();
    }
    if (row.size() != 68 || expected.size() != 67)  // ID and the 67 columns
        wrong << u"%1 columns stored, %2 expected"_s.arg(row.size()).arg(expected.size());
    if (wrong.isEmpty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong.join(u'\n').toStdString();
}
