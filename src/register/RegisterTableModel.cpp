#include "register/RegisterTableModel.h"

#include <QFont>

#include "register/Cents.h"
#include "store/RegisterStore.h"

RegisterTableModel::RegisterTableModel(Database& db, QObject* parent)
    : QAbstractTableModel(parent), m_db(db) {}

void RegisterTableModel::setFilter(const RegisterFilter& filter) {
    // Read first, so that a failed read leaves the rows shown as they were.
    auto rows = RegisterStore::page(m_db, filter, 0, kPageSize);
    beginResetModel();
    m_filter = filter;
    m_atEnd = rows.size() < static_cast<size_t>(kPageSize);
    m_rows = std::move(rows);
    endResetModel();
}

void RegisterTableModel::refreshEntry(int row) {
    if (row < 0 || row >= rowCount()) return;
    auto& entry = m_rows.at(static_cast<size_t>(row));
    if (const auto fresh = RegisterStore::find(m_db, entry.id)) entry = *fresh;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

int RegisterTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int RegisterTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString RegisterTableModel::stateText(RegisterEntry::State state) {
    switch (state) {
        case RegisterEntry::State::Pending: return QStringLiteral("Pending");
        case RegisterEntry::State::Printed: return QStringLiteral("Printed");
        case RegisterEntry::State::Void: return QStringLiteral("Void");
    }
    return {};
}

QString RegisterTableModel::printedText(const QDateTime& utc) {
    return utc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QVariant RegisterTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const RegisterEntry& e = m_rows.at(static_cast<size_t>(index.row()));
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            switch (index.column()) {
                case PrintedAt: return printedText(e.printedAt);
                case ChequeDate: return e.chequeDate.value_or(QString());
                case Bank: return e.bankCode;
                case Number: return e.chequeNumber;
                case Payee: return e.payee;
                case Amount: return Cents::toText(e.amountCents);
                case State: return stateText(e.state);
            }
            return {};
        case Qt::TextAlignmentRole:
            if (index.column() == Amount) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::FontRole:
            if (e.state == RegisterEntry::State::Void) {
                QFont font;
                font.setStrikeOut(true);
                return font;
            }
            return {};
        case Qt::ToolTipRole:
            if (e.state == RegisterEntry::State::Void)
                return QString(QStringLiteral("Void ") + printedText(e.voidedAt) +
                               (e.voidReason.isEmpty() ? QString()
                                                       : QStringLiteral(": ") + e.voidReason));
            return {};
        case Qt::UserRole:
            return e.id;
    }
    return {};
}

QVariant RegisterTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant((section == Amount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    static const char* const kTitles[] = {"Printed", "Cheque Date", "Bank", "Number",
                                          "Payee",   "Amount",      "State"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(kTitles[section]) : QVariant();
}

bool RegisterTableModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !m_atEnd;
}

void RegisterTableModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || m_atEnd) return;
    const qint64 last = m_rows.empty() ? 0 : m_rows.back().id;
    auto more = RegisterStore::page(m_db, m_filter, last, kPageSize);
    m_atEnd = more.size() < static_cast<size_t>(kPageSize);
    if (more.empty()) return;
    beginInsertRows({}, rowCount(), rowCount() + static_cast<int>(more.size()) - 1);
    for (auto& e : more) m_rows.push_back(std::move(e));
    endInsertRows();
}
