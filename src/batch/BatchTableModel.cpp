#include "batch/BatchTableModel.h"

#include <QColor>

#include "batch/BatchCheck.h"

BatchTableModel::BatchTableModel(QObject* parent) : QAbstractTableModel(parent) {}

QColor BatchTableModel::warningColour() { return QColor(255, 214, 153); }

void BatchTableModel::reset(std::vector<BatchRow> rows, std::vector<CheckedRow> checked,
                            BatchSetup setup) {
    beginResetModel();
    m_rows = std::move(rows);
    m_checked = std::move(checked);
    m_setup = std::move(setup);
    endResetModel();
}

void BatchTableModel::recheck(BatchSetup setup) {
    m_setup = std::move(setup);
    m_checked = BatchCheck::checkAll(m_rows, m_setup);
    if (!m_rows.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

void BatchTableModel::rowsPrinted() {
    if (!m_rows.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int BatchTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int BatchTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BatchTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const kTitles[ColumnCount] = {"Print", "Line",   "Payee", "Amount",
                                                     "Date",  "Bank",   "Number", "Check",
                                                     "Amount in words"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(kTitles[section]) : QVariant();
}

QVariant BatchTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const BatchRow& row = m_rows[static_cast<size_t>(index.row())];
    const CheckedRow& checked = m_checked[static_cast<size_t>(index.row())];
    const int column = index.column();
    if (role == Qt::CheckStateRole && column == Include)
        return row.included ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::BackgroundRole && row.included && !row.printed && !checked.printable())
        return warningColour();
    if (role == Qt::ToolTipRole && column == Words)
        return QString(checked.lines.line1 + checked.lines.line2).trimmed();
    if (role == Qt::ToolTipRole && !checked.printable()) return checked.reason();
    if (role == Qt::TextAlignmentRole && (column == Amount || column == Line))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    const bool edit = role == Qt::EditRole;
    switch (column) {
        case Include:
            return {};
        case Line:
            return row.line;
        case Payee:
            return row.payee;
        case Amount:
            return edit ? row.amount : checked.amount;
        case Date:
            if (edit || !checked.date.isValid()) return row.date;
            return checked.date.toString(Qt::ISODate);
        case Bank:
            return edit ? row.bank : (checked.bankCode.isEmpty() ? row.bank : checked.bankCode);
        case Number:
            return edit ? row.number : checked.number;
        case Words:
            return QString(checked.lines.line1 + checked.lines.line2).trimmed();
        case Result:
            if (row.printed) return QStringLiteral("Printed");
            if (!row.included) return QStringLiteral("Excluded");
            return checked.printable() ? QStringLiteral("OK") : checked.reason();
        default:
            return {};
    }
}

Qt::ItemFlags BatchTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const BatchRow& row = m_rows[static_cast<size_t>(index.row())];
    if (row.printed) return f;
    if (index.column() == Include) return f | Qt::ItemIsUserCheckable;
    if (index.column() >= Payee && index.column() <= Number) return f | Qt::ItemIsEditable;
    return f;
}

bool BatchTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || !(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
        return false;
    BatchRow& row = m_rows[static_cast<size_t>(index.row())];
    if (index.column() == Include) {
        if (role != Qt::CheckStateRole) return false;
        row.included = value.value<Qt::CheckState>() == Qt::Checked;
    } else {
        if (role != Qt::EditRole) return false;
        const QString text = value.toString().trimmed();
        switch (index.column()) {
            case Payee: row.payee = text; break;
            case Amount: row.amount = text; break;
            case Date: row.date = text; break;
            case Bank: row.bank = text; break;
            case Number: row.number = text; break;
            default: return false;
        }
        m_checked[static_cast<size_t>(index.row())] = BatchCheck::checkRow(row, m_setup);
    }
    renumber();
    return true;
}

void BatchTableModel::renumber() {
    BatchCheck::assignNumbers(m_rows, m_setup, m_checked);
    // A number given to one row moves the numbers of the rows after it.
    if (!m_rows.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

BatchTableModel::Counts BatchTableModel::counts() const {
    Counts c;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].printed) ++c.printed;
        else if (!m_rows[i].included) ++c.excluded;
        else if (m_checked[i].printable()) ++c.toPrint;
        else ++c.problems;
    }
    return c;
}

QString BatchTableModel::summary() const {
    const Counts c = counts();
    return QStringLiteral("%1 rows: %2 to print, %3 with a problem, %4 excluded, %5 printed")
        .arg(rowCount())
        .arg(c.toPrint)
        .arg(c.problems)
        .arg(c.excluded)
        .arg(c.printed);
}
