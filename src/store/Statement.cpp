#include "store/Statement.h"

#include <sqlite3.h>

#include "store/DbError.h"

void Statement::Finalizer::operator()(sqlite3_stmt* stmt) const noexcept { sqlite3_finalize(stmt); }

Statement::Statement(sqlite3* db, const QString& sql) : m_db(db) {
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()), &raw, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(raw);
        fail();
    }
    m_stmt.reset(raw);
    const int count = sqlite3_column_count(raw);
    for (int i = 0; i < count; ++i) {
        const QByteArray name = QByteArray(sqlite3_column_name(raw, i)).toLower();
        if (!m_columns.contains(name)) m_columns.insert(name, i);
    }
}

void Statement::fail() const {
    throw DbError::fromEngine(m_db);
}

Statement& Statement::bind(int index, const QVariant& value) {
    sqlite3_stmt* stmt = m_stmt.get();
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(stmt, index);
    } else {
        switch (value.typeId()) {
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Long:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
                rc = sqlite3_bind_int64(stmt, index, value.toLongLong());
                break;
            case QMetaType::Float:
            case QMetaType::Double:
                rc = sqlite3_bind_double(stmt, index, value.toDouble());
                break;
            default: {
                const QByteArray utf8 = value.toString().toUtf8();
                rc = sqlite3_bind_text(stmt, index, utf8.constData(), static_cast<int>(utf8.size()),
                                       SQLITE_TRANSIENT);
            }
        }
    }
    if (rc != SQLITE_OK) fail();
    return *this;
}

Statement& Statement::bindAll(const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i) bind(i + 1, values.at(i));
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt.get());
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    fail();
}

void Statement::execute() {
    while (step()) {
    }
}

void Statement::reset() {
    sqlite3_reset(m_stmt.get());
    sqlite3_clear_bindings(m_stmt.get());
}

int Statement::columnIndex(const char* column) const {
    const auto it = m_columns.constFind(QByteArray(column).toLower());
    if (it == m_columns.cend())
        throw DbError(SQLITE_ERROR, QStringLiteral("No such column: ") + QString::fromUtf8(column));
    return it.value();
}

bool Statement::hasColumn(const char* column) const {
    return m_columns.contains(QByteArray(column).toLower());
}

int Statement::columnCount() const { return sqlite3_column_count(m_stmt.get()); }

bool Statement::isNull(const char* column) const {
    return sqlite3_column_type(m_stmt.get(), columnIndex(column)) == SQLITE_NULL;
}

QString Statement::text(const char* column) const { return text(columnIndex(column)); }
qint64 Statement::integer(const char* column) const { return integer(columnIndex(column)); }
double Statement::real(const char* column) const { return real(columnIndex(column)); }
QVariant Statement::value(const char* column) const { return value(columnIndex(column)); }

QString Statement::text(int i) const {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt.get(), i));
    const int size = sqlite3_column_bytes(m_stmt.get(), i);
    return data ? QString::fromUtf8(data, size) : QString();
}

qint64 Statement::integer(int i) const { return sqlite3_column_int64(m_stmt.get(), i); }

double Statement::real(int i) const { return sqlite3_column_double(m_stmt.get(), i); }

QVariant Statement::value(int i) const {
    switch (sqlite3_column_type(m_stmt.get(), i)) {
        case SQLITE_INTEGER:
            return QVariant::fromValue<qint64>(sqlite3_column_int64(m_stmt.get(), i));
        case SQLITE_FLOAT:
            return sqlite3_column_double(m_stmt.get(), i);
        case SQLITE_NULL:
            return {};
        default:
            return text(i);
    }
}
