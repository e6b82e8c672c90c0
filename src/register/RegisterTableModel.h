#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "store/RegisterEntry.h"
#include "store/RegisterFilter.h"

class Database;

// The register's entries of a filter, newest first, for a table view. Rows are
// read a page at a time as the view scrolls to them (canFetchMore/fetchMore),
// never all at once. Void entries are shown struck through.
class RegisterTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { PrintedAt, ChequeDate, Bank, Number, Payee, Amount, State, ColumnCount };
    static constexpr int kPageSize = 100;

    RegisterTableModel(Database& db, QObject* parent);

    // Shows the entries of `filter` from the newest; reads the first page.
    // DbError reaches the caller.
    void setFilter(const RegisterFilter& filter);
    const RegisterFilter& filter() const { return m_filter; }
    // Reads the entry again (after a void) and repaints its row.
    void refreshEntry(int row);
    const RegisterEntry& entry(int row) const { return m_rows.at(static_cast<size_t>(row)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // How an entry's state is shown.
    static QString stateText(RegisterEntry::State state);
    // When it was printed, in local time: "2026-12-07 10:30".
    static QString printedText(const QDateTime& utc);

private:
    Database& m_db;
    RegisterFilter m_filter;
    std::vector<RegisterEntry> m_rows;
    bool m_atEnd = true;
};
