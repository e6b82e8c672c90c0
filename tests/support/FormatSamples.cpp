#include "FormatSamples.h"

#include "store/Database.h"

ChequeFormat distinctFormat(const QString& code) {
    ChequeFormat f;
    f.bankName = QStringLiteral("Name of ") + code;
    f.bankCode = code;
    f.amountLanguage = 2;
    f.printerName = QStringLiteral("Cheque-Printer");
    f.orientation = QStringLiteral("P");
    f.chequeWidth = 12240;    // 8.50 in
    f.chequeHeight = 4334.4;  // 3.01 in
    f.chequeTop = 43.2;
    f.chequeLeft = -72.5;
    f.dateType = 2;
    for (int i = 0; i < kFieldCount; ++i) {
        f.fields.at(static_cast<size_t>(i)) = {100.5f + 10.0f * static_cast<float>(i),
                                               200.25f + 10.0f * static_cast<float>(i),
                                               300.75f + 10.0f * static_cast<float>(i)};
    }
    for (int i = 0; i < 5; ++i) {
        f.fonts.at(static_cast<size_t>(i)) = {QStringLiteral("Face%1").arg(i),
                                              8.5f + static_cast<float>(i), i % 2 == 0};
    }
    f.sdateFont = {QStringLiteral("DigitFace"), 17.5f, true};
    return f;
}

std::vector<std::pair<QString, QVariant>> expectedColumns(const ChequeFormat& f) {
    auto text = [](const char* s) { return QString::fromLatin1(s); };
    auto bold = [](bool b) {
        return QVariant(b ? QStringLiteral("True") : QStringLiteral("False"));
    };
    std::vector<std::pair<QString, QVariant>> columns = {
        {text("BankName"), f.bankName},
        {text("BankCode"), f.bankCode},
        {text("AmountLanguage"), qint64(f.amountLanguage)},
        {text("PrinterName"), f.printerName},
        {text("Orientation"), f.orientation},
        {text("ChequeWidth"), f.chequeWidth},
        {text("ChequeHeight"), f.chequeHeight},
        {text("ChequeTop"), f.chequeTop},
        {text("ChequeLeft"), f.chequeLeft},
        {text("DateType"), qint64(f.dateType)},
    };
    const char* const stems[] = {"Date",    "Recipient", "Amount",  "Word1",   "Word2",
                                 "SDateD1", "SDateD2",   "SDateM1", "SDateM2", "SDateY1",
                                 "SDateY2", "SDateY3",   "SDateY4"};
    for (int i = 0; i < 13; ++i) {
        const QString stem = text(stems[i]);
        const FieldGeometry& g = f.fields.at(static_cast<size_t>(i));
        columns.push_back({stem + text("Left"), double(g.left)});
        columns.push_back({stem + text("Top"), double(g.top)});
        columns.push_back({stem + text("Width"), double(g.width)});
        if (i < 5) {
            const FontSpec& font = f.fonts.at(static_cast<size_t>(i));
            columns.push_back({stem + text("Font"), font.face});
            columns.push_back({stem + text("FontSize"), double(font.size)});
            columns.push_back({stem + text("FontStyle"), bold(font.bold)});
        }
    }
    columns.push_back({text("SDateFont"), f.sdateFont.face});
    columns.push_back({text("SDateFontSize"), double(f.sdateFont.size)});
    columns.push_back({text("SDateFontStyle"), bold(f.sdateFont.bold)});
    return columns;
}

QVariantMap storedRow(Database& db, const QString& code) {
    QVariantMap row;
    Statement query = db.prepare(QStringLiteral("SELECT * FROM BankCheque WHERE BankCode = ?"));
    query.bind(1, code);
    if (!query.step()) return row;
    Statement names = db.prepare(QStringLiteral("PRAGMA table_info(BankCheque)"));
    while (names.step()) {
        const QString name = names.text("name");
        row.insert(name, query.value(name.toLatin1().constData()));
    }
    return row;
}

::testing::AssertionResult rowMatches(const QVariantMap& row,
                                      const std::vector<std::pair<QString, QVariant>>& expected) {
    if (row.isEmpty()) return ::testing::AssertionFailure() << "no stored row";
    QStringList wrong;
    for (const auto& [name, value] : expected) {
        const QVariant stored = row.value(name);
        bool same = false;
        if (value.typeId() == QMetaType::Double)
            same = stored.typeId() == QMetaType::Double && stored.toDouble() == value.toDouble();
        else if (value.typeId() == QMetaType::LongLong)
            same =
                stored.typeId() == QMetaType::LongLong && stored.toLongLong() == value.toLongLong();
        else
            same = stored.typeId() == QMetaType::QString && stored.toString() == value.toString();
        if (!same)
            wrong << name + QStringLiteral(": stored ") + stored.toString() +
                         QStringLiteral(", expected ") + value.toString();
    }
    // ID and the 67 columns.
    if (row.size() != 68) wrong << QStringLiteral("column count %1").arg(row.size());
    if (expected.size() != 67) wrong << QStringLiteral("expected %1 columns").arg(expected.size());
    if (wrong.isEmpty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong.join(QStringLiteral("\n")).toStdString();
}
