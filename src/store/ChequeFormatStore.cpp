#include "store/ChequeFormatStore.h"

#include <cmath>

#include "store/Database.h"

namespace ChequeFormatStore {

namespace {

constexpr int kWordFields = 5;  // fields 0 to 4 carry their own font

QStringList buildColumnNames() {
    QStringList names = {QStringLiteral("BankName"),       QStringLiteral("BankCode"),
                         QStringLiteral("AmountLanguage"), QStringLiteral("PrinterName"),
                         QStringLiteral("Orientation"),    QStringLiteral("ChequeWidth"),
                         QStringLiteral("ChequeHeight"),   QStringLiteral("ChequeTop"),
                         QStringLiteral("ChequeLeft"),     QStringLiteral("DateType")};
    for (int i = 0; i < kFieldCount; ++i) {
        const QString stem = FieldLabelSet::stem(i);
        names << stem + QStringLiteral("Left") << stem + QStringLiteral("Top")
              << stem + QStringLiteral("Width");
        if (i < kWordFields)
            names << stem + QStringLiteral("Font") << stem + QStringLiteral("FontSize")
                  << stem + QStringLiteral("FontStyle");
    }
    names << QStringLiteral("SDateFont") << QStringLiteral("SDateFontSize")
          << QStringLiteral("SDateFontStyle");
    return names;
}

// Column names as the statement reads them.
const std::vector<QByteArray>& columnKeys() {
    static const std::vector<QByteArray> keys = [] {
        std::vector<QByteArray> list;
        for (const QString& name : columnNames()) list.push_back(name.toLatin1());
        return list;
    }();
    return keys;
}

QVariantList valuesOf(const ChequeFormat& f) {
    QVariantList values;
    values.reserve(67);
    values << f.bankName << f.bankCode << f.amountLanguage << f.printerName << f.orientation
           << storedDouble(f.chequeWidth) << storedDouble(f.chequeHeight)
           << storedDouble(f.chequeTop) << storedDouble(f.chequeLeft) << f.dateType;
    for (int i = 0; i < kFieldCount; ++i) {
        const FieldGeometry& g = f.fields.at(static_cast<size_t>(i));
        values << storedSingle(g.left) << storedSingle(g.top) << storedSingle(g.width);
        if (i < kWordFields) {
            const FontSpec& font = f.fonts.at(static_cast<size_t>(i));
            values << font.face << storedSingle(font.size) << boldText(font.bold);
        }
    }
    values << f.sdateFont.face << storedSingle(f.sdateFont.size) << boldText(f.sdateFont.bold);
    return values;
}

// Positions of ID and the 67 columns in a query's rows, looked up once per query.
std::vector<int> columnPositions(const Statement& query) {
    std::vector<int> positions{query.columnIndex("ID")};
    for (const QByteArray& key : columnKeys())
        positions.push_back(query.columnIndex(key.constData()));
    return positions;
}

ChequeFormat fromRow(const Statement& row, const std::vector<int>& positions) {
    size_t k = 1;
    auto next = [&]() { return positions[k++]; };
    auto single = [&]() { return static_cast<float>(row.real(next())); };

    ChequeFormat f;
    f.id = row.integer(positions[0]);
    f.bankName = row.text(next());
    f.bankCode = row.text(next());
    f.amountLanguage = static_cast<int>(row.integer(next()));
    f.printerName = row.text(next());
    f.orientation = row.text(next());
    f.chequeWidth = row.real(next());
    f.chequeHeight = row.real(next());
    f.chequeTop = row.real(next());
    f.chequeLeft = row.real(next());
    f.dateType = static_cast<int>(row.integer(next()));
    for (int i = 0; i < kFieldCount; ++i) {
        FieldGeometry& g = f.fields.at(static_cast<size_t>(i));
        g.left = single();
        g.top = single();
        g.width = single();
        if (i < kWordFields) {
            FontSpec& font = f.fonts.at(static_cast<size_t>(i));
            font.face = row.text(next());
            font.size = single();
            font.bold = readBold(row.value(next()));
        }
    }
    f.sdateFont.face = row.text(next());
    f.sdateFont.size = single();
    f.sdateFont.bold = readBold(row.value(next()));
    return f;
}

std::vector<ChequeFormat> list(Database& db, const QString& sql) {
    std::vector<ChequeFormat> formats;
    Statement query = db.prepare(sql);
    const std::vector<int> positions = columnPositions(query);
    while (query.step()) formats.push_back(fromRow(query, positions));
    return formats;
}

}  // namespace

const QStringList& columnNames() {
    static const QStringList names = buildColumnNames();
    return names;
}

std::vector<ChequeFormat> listById(Database& db) {
    return list(db, QStringLiteral("SELECT * FROM BankCheque ORDER BY ID"));
}

std::vector<ChequeFormat> listByCode(Database& db) {
    return list(db, QStringLiteral("SELECT * FROM BankCheque ORDER BY BankCode"));
}

std::optional<ChequeFormat> findByCode(Database& db, const QString& code) {
    Statement query =
        db.prepare(QStringLiteral("SELECT * FROM BankCheque WHERE BankCode = ? ORDER BY ID"));
    query.bind(1, code);
    if (!query.step()) return std::nullopt;
    return fromRow(query, columnPositions(query));
}

qint64 insert(Database& db, const ChequeFormat& format) {
    static const QString sql = []() -> QString {
        QStringList marks;
        for (qsizetype i = 0; i < columnNames().size(); ++i) marks << QStringLiteral("?");
        return QStringLiteral("INSERT INTO BankCheque (") + columnNames().join(QLatin1Char(',')) +
               QStringLiteral(") VALUES (") + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    }();
    db.write(sql, valuesOf(format));
    return db.lastInsertId();
}

int update(Database& db, const QString& code, const ChequeFormat& format) {
    static const QString sql = []() -> QString {
        QStringList assignments;
        for (const QString& name : columnNames()) assignments << name + QStringLiteral(" = ?");
        return QStringLiteral("UPDATE BankCheque SET ") + assignments.join(QStringLiteral(", ")) +
               QStringLiteral(" WHERE BankCode = ?");
    }();
    QVariantList values = valuesOf(format);
    values << code;
    return db.write(sql, values);
}

int remove(Database& db, const QString& code) {
    return db.write(QStringLiteral("DELETE FROM BankCheque WHERE BankCode = ?"), {code});
}

QString boldText(bool bold) { return bold ? QStringLiteral("True") : QStringLiteral("False"); }

bool readBold(const QVariant& stored) {
    switch (stored.typeId()) {
        case QMetaType::LongLong:
        case QMetaType::Int:
        case QMetaType::Double:
            return stored.toDouble() != 0.0;
        case QMetaType::QString: {
            const QString text = stored.toString().trimmed();
            if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) return true;
            if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) return false;
            bool ok = false;
            const double number = text.toDouble(&ok);
            return ok && number != 0.0;
        }
        default:
            return false;
    }
}

double storedSingle(float value) {
    if (!std::isfinite(value)) return static_cast<double>(value);
    return QString::number(value, 'g', 7).toDouble();
}

double storedDouble(double value) {
    if (!std::isfinite(value)) return value;
    return QString::number(value, 'g', 15).toDouble();
}

}  // namespace ChequeFormatStore
