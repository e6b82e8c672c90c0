#pragma once

#include <QString>

#include <functional>
#include <vector>

#include "batch/BatchRow.h"
#include "batch/BatchSetup.h"
#include "batch/CheckedRow.h"

class Clock;
class Database;
class PrinterService;

// Printing a batch: the valid, included rows not yet printed go out in file
// order, one print job per cheque, each recorded in the register around its job
// (pending first, printed once the print system took it). The run stops at the
// first failure; the rows printed before it are marked, so running again starts
// at the failed row and never prints a cheque twice. The caller has made the
// chosen printer current.
class BatchRun {
public:
    struct Outcome {
        int done = 0;         // cheques printed or saved by this run
        int total = 0;        // cheques the run set out to print or save
        bool cancelled = false;
        int failedRow = -1;   // index of the row that failed
        QString failure;      // what went wrong, for the user; empty when nothing did
    };

    BatchRun(Database& db, const Clock& clock, PrinterService& printer, const BatchSetup& setup);

    // Asked before every cheque but the run's first when the sheets are fed by
    // hand, with feedPrompt's text; false stops the run there.
    std::function<bool(const QString& prompt)> askFeed;
    // Told before each cheque is drawn ("Printing cheque 17 of 120") and after it went
    // out; false stops the run after the cheque in hand.
    std::function<void(int ordinal, int total)> starting;
    std::function<bool(int ordinal, int total)> finished;

    Outcome print(std::vector<BatchRow>& rows, const std::vector<CheckedRow>& checked);

    // One PDF file with a page per row that would print, each recorded in the
    // register with the file as destination; the rows are then marked printed.
    Outcome saveAsPdf(std::vector<BatchRow>& rows, const std::vector<CheckedRow>& checked,
                      const QString& path);

    // The rows that go out, in file order.
    static std::vector<size_t> pending(const std::vector<BatchRow>& rows,
                                       const std::vector<CheckedRow>& checked);
    // "Insert cheque 18 of 120 (ACME Ltd, 1,234.50) and press Continue"
    static QString feedPrompt(int ordinal, int total, const QString& payee, const QString& amount);
    // "Printing cheque 17 of 120"
    static QString progressText(int ordinal, int total);

private:
    struct Page;
    Page pageOf(const BatchRow& row, const CheckedRow& checked) const;
    // Counts the printable rows, the printed ones included, and the place of each.
    void number(const std::vector<BatchRow>& rows, const std::vector<CheckedRow>& checked,
                std::vector<int>& ordinals, int& total) const;

    Database& m_db;
    const Clock& m_clock;
    PrinterService& m_printer;
    const BatchSetup& m_setup;
};
