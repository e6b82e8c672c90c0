#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "batch/BatchRow.h"
#include "batch/BatchSetup.h"
#include "batch/CheckedRow.h"

// The rows of a batch with their check results, as the batch window's table shows
// them: an include check, the cells of the file (editable until the row is
// printed, each edit checks the rows again), the words as they print and the
// result, a problem row in a warning colour.
class BatchTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Include, Line, Payee, Amount, Date, Bank, Number, Result, Words, ColumnCount };

    explicit BatchTableModel(QObject* parent);

    // Takes a new file's rows, checked against `setup`.
    void reset(std::vector<BatchRow> rows, std::vector<CheckedRow> checked, BatchSetup setup);
    // Checks every row again against `setup` (after a run moved the next numbers).
    void recheck(BatchSetup setup);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    std::vector<BatchRow>& rows() { return m_rows; }
    const std::vector<CheckedRow>& checked() const { return m_checked; }
    const BatchSetup& setup() const { return m_setup; }
    // Tells the views that the printed marks changed.
    void rowsPrinted();

    struct Counts {
        int toPrint = 0, problems = 0, excluded = 0, printed = 0;
    };
    Counts counts() const;
    // "120 rows: 117 to print, 2 with a problem, 1 excluded, 0 printed"
    QString summary() const;

    // The background of a row with a problem.
    static QColor warningColour();

private:
    void renumber();

    std::vector<BatchRow> m_rows;
    std::vector<CheckedRow> m_checked;
    BatchSetup m_setup;
};
