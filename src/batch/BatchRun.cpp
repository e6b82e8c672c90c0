#include "batch/BatchRun.h"

#include <QFileInfo>

#include "batch/ChequePdf.h"
#include "platform/Clock.h"
#include "platform/PrinterService.h"
#include "print/ChequePage.h"
#include "print/ChequeRecorder.h"
#include "store/DbError.h"
#include "store/RegisterStore.h"

struct BatchRun::Page {
    const ChequeFormat* format = nullptr;
    FieldLabelSet labels;
    RegisterEntry entry;
};

namespace {

QString rowText(const BatchRow& row, const CheckedRow& checked) {
    return QStringLiteral("The cheque on line %1 (%2, %3)").arg(row.line).arg(row.payee, checked.amount);
}

}  // namespace

BatchRun::BatchRun(Database& db, const Clock& clock, PrinterService& printer,
                   const BatchSetup& setup)
    : m_db(db), m_clock(clock), m_printer(printer), m_setup(setup) {}

std::vector<size_t> BatchRun::pending(const std::vector<BatchRow>& rows,
                                      const std::vector<CheckedRow>& checked) {
    std::vector<size_t> out;
    for (size_t i = 0; i < rows.size() && i < checked.size(); ++i)
        if (rows[i].included && !rows[i].printed && checked[i].printable()) out.push_back(i);
    return out;
}

QString BatchRun::feedPrompt(int ordinal, int total, const QString& payee, const QString& amount) {
    return QStringLiteral("Insert cheque %1 of %2 (%3, %4) and press Continue")
        .arg(ordinal)
        .arg(total)
        .arg(payee, amount);
}

QString BatchRun::progressText(int ordinal, int total) {
    return QStringLiteral("Printing cheque %1 of %2").arg(ordinal).arg(total);
}

void BatchRun::number(const std::vector<BatchRow>& rows, const std::vector<CheckedRow>& checked,
                      std::vector<int>& ordinals, int& total) const {
    ordinals.assign(rows.size(), 0);
    total = 0;
    for (size_t i = 0; i < rows.size() && i < checked.size(); ++i)
        if (rows[i].included && (rows[i].printed || checked[i].printable())) ordinals[i] = ++total;
}

BatchRun::Page BatchRun::pageOf(const BatchRow& row, const CheckedRow& checked) const {
    Page page;
    page.format = m_setup.format(checked.bankCode);
    ChequePage::Content content;
    content.payee = row.payee;
    content.amount = checked.amount;
    content.words = checked.words;
    content.date = checked.date;
    content.printDate = m_setup.printDate;
    content.dateStyle = m_setup.dateStyle;
    content.properCase = m_setup.properCase;
    page.labels = ChequePage::labels(*page.format, content, *m_setup.measure);
    page.entry = ChequePage::registerEntry(*page.format, page.labels, m_setup.printDate,
                                           checked.date, checked.number);
    return page;
}

BatchRun::Outcome BatchRun::print(std::vector<BatchRow>& rows,
                                  const std::vector<CheckedRow>& checked) {
    Outcome outcome;
    const std::vector<size_t> todo = pending(rows, checked);
    outcome.total = static_cast<int>(todo.size());
    std::vector<int> ordinals;
    int total = 0;
    number(rows, checked, ordinals, total);
    ChequeRecorder recorder(m_db, m_clock);

    for (size_t k = 0; k < todo.size(); ++k) {
        const size_t i = todo[k];
        BatchRow& row = rows[i];
        const int ordinal = ordinals[i];
        if (k > 0 && askFeed &&
            !askFeed(feedPrompt(ordinal, total, row.payee, checked[i].amount))) {
            outcome.cancelled = true;
            break;
        }
        if (starting) starting(ordinal, total);
        bool sent = false;
        try {
            const Page page = pageOf(row, checked[i]);
            recorder.record(page.entry, [&]() {
                ChequePage::draw(m_printer, *page.format, page.labels, m_setup.printDate);
                const PrintReceipt receipt = m_printer.endDocument();
                sent = true;
                return receipt;
            });
        } catch (const PrintError& error) {
            m_printer.abortDocument();
            outcome.failedRow = static_cast<int>(i);
            outcome.failure = rowText(row, checked[i]) + QStringLiteral(" was not printed: ") +
                              QString::fromStdString(error.what());
            break;
        } catch (const DbError& error) {
            outcome.failedRow = static_cast<int>(i);
            if (sent) {
                // The cheque went out; the register keeps it pending for the next start.
                row.printed = true;
                row.number = checked[i].number;
                ++outcome.done;
                outcome.failure = rowText(row, checked[i]) +
                                  QStringLiteral(" was printed but not recorded: ") + error.message();
            } else {
                outcome.failure = rowText(row, checked[i]) +
                                  QStringLiteral(" was not printed: ") + error.message();
            }
            break;
        }
        row.printed = true;
        row.number = checked[i].number;
        ++outcome.done;
        if (finished && !finished(ordinal, total)) {
            outcome.cancelled = k + 1 < todo.size();
            break;
        }
    }
    return outcome;
}

BatchRun::Outcome BatchRun::saveAsPdf(std::vector<BatchRow>& rows,
                                      const std::vector<CheckedRow>& checked, const QString& path) {
    Outcome outcome;
    const std::vector<size_t> todo = pending(rows, checked);
    outcome.total = static_cast<int>(todo.size());
    if (todo.empty()) return outcome;
    const QString destination = QFileInfo(path).absoluteFilePath();

    std::vector<Page> pages;
    pages.reserve(todo.size());
    for (size_t i : todo) pages.push_back(pageOf(rows[i], checked[i]));

    // Every cheque is pending before the file is written, as with a print job, and
    // all of them become printed together once the file is complete.
    std::vector<RegisterEntry> entries;
    const QDateTime startedAt = m_clock.now().toUTC();
    for (Page& page : pages) {
        page.entry.printedAt = startedAt;
        entries.push_back(page.entry);
    }
    std::vector<qint64> ids;
    try {
        ids = RegisterStore::addPendingAll(m_db, entries);
        ChequePdf::write(m_printer, destination, static_cast<int>(pages.size()), [&](int p) {
            if (starting) starting(p + 1, static_cast<int>(pages.size()));
            ChequePage::draw(m_printer, *pages[static_cast<size_t>(p)].format,
                             pages[static_cast<size_t>(p)].labels, m_setup.printDate);
        });
    } catch (const std::exception& error) {
        if (!ids.empty()) {
            try {
                RegisterStore::removeAllPending(m_db, ids);
            } catch (const DbError&) {
                // Left pending: the next start asks about them.
            }
        }
        const auto* db = dynamic_cast<const DbError*>(&error);
        outcome.failure = QStringLiteral("The cheques were not saved: ") +
                          (db ? db->message() : QString::fromStdString(error.what()));
        return outcome;
    }

    for (size_t i : todo) {
        rows[i].printed = true;
        rows[i].number = checked[i].number;
    }
    outcome.done = outcome.total;
    try {
        RegisterStore::markAllPrinted(m_db, ids, m_clock.now().toUTC(), destination);
    } catch (const DbError& error) {
        // The file holds the cheques; their entries stay pending for the next start.
        outcome.failure = QStringLiteral("The cheques were saved to \"") + destination +
                          QStringLiteral("\" but not recorded: ") + error.message();
    }
    return outcome;
}
