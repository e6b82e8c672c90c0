#include "batch/BatchCheck.h"

#include <QHash>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <optional>
#include <thread>



#include "batch/CachedTextMeasure.h"
#include "core/AmountText.h"
#include "core/ChequeNumber.h"
#include "core/ChequeEntryRules.h"
#include "print/ChequePage.h"

namespace BatchCheck {

namespace {

void addProblem(QString& problems, const QString& problem) {
    if (!problems.isEmpty()) problems += QLatin1Char(' ');
    problems += problem;
}

}  // namespace

QDate parseDate(const QString& cell, const QString& shortDateFormat, const QDate& today) {
    const QString text = cell.trimmed();
    if (text.isEmpty()) return today;
    QDate date = QDate::fromString(text, Qt::ISODate);
    if (date.isValid() && text.size() == 10) return date;
    if (shortDateFormat.isEmpty()) return {};
    // A four-digit year is read as typed, a two-digit one in this century.
    const bool twoDigitYear =
        shortDateFormat.contains(QStringLiteral("yy")) && !shortDateFormat.contains(QStringLiteral("yyyy"));
    if (twoDigitYear) {
        QString longYear = shortDateFormat;
        longYear.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
        date = QDate::fromString(text, longYear);
        if (date.isValid()) return date;
    }
    date = QDate::fromString(text, shortDateFormat);
    if (date.isValid() && twoDigitYear && date.year() < 2000) date = date.addYears(100);
    return date;
}

CheckedRow checkRow(const BatchRow& row, const BatchSetup& setup, const TextMeasure* measure) {
    if (!measure) measure = setup.measure;
    CheckedRow out;
    if (row.payee.trimmed().isEmpty()) addProblem(out.problem, ChequeEntryRules::emptyPayeeMessage());

    const QString amount = AmountText::rewrite(row.amount);
    out.amount = amount;
    const auto amountProblem = ChequeEntryRules::checkAmount(amount);
    if (amountProblem != ChequeEntryRules::AmountProblem::None) {
        addProblem(out.problem, ChequeEntryRules::amountMessage(amountProblem));
    } else {
        out.cents = AmountText::toCents(amount).value_or(0);
    }

    const QString code = row.bank.isEmpty() ? setup.defaultBankCode : row.bank;
    const ChequeFormat* format = setup.format(code);
    if (!format) {
        addProblem(out.problem, code.isEmpty()
                            ? QStringLiteral("No bank cheque format is chosen.")
                            : QStringLiteral("Unknown bank code \"%1\".").arg(code));
    } else {
        out.bankCode = format->bankCode;
    }

    out.date = parseDate(row.date, setup.shortDateFormat, setup.today);
    if (!out.date.isValid())
        addProblem(out.problem, QStringLiteral("\"%1\" is not a date.").arg(row.date));

    if (format && amountProblem == ChequeEntryRules::AmountProblem::None) {
        const AmountWordTable* table = nullptr;
        if (auto it = setup.wordsByLanguage.constFind(format->amountLanguage);
            it != setup.wordsByLanguage.constEnd())
            table = &it.value();
        else if (auto fb = setup.wordsByLanguage.constFind(setup.fallbackLanguage);
                 fb != setup.wordsByLanguage.constEnd())
            table = &fb.value();
        if (table) {
            out.words = table->spell(amount);
            if (measure)
                out.lines = ChequePage::wordLines(*format, out.words, setup.properCase, *measure);
        }
    }
    return out;
}

void assignNumbers(const std::vector<BatchRow>& rows, const BatchSetup& setup,
                   std::vector<CheckedRow>& checked) {
    QHash<QString, QString> next = setup.nextNumbers;
    QHash<QString, int> seen;  // "bank\nnumber" -> line of the row that has it
    auto key = [](const QString& bank, const QString& number) -> QString {
        return bank + QLatin1Char('\n') + number;
    };
    // Numbers given in the file are claimed first, so no row is given one of them.
    for (size_t i = 0; i < rows.size(); ++i) {
        const BatchRow& row = rows[i];
        CheckedRow& out = checked[i];
        out.number.clear();
        out.numberProblem.clear();
        if (row.number.isEmpty() || out.bankCode.isEmpty()) continue;
        out.number = row.number;
        if (row.printed) {
            seen.insert(key(out.bankCode, row.number), row.line);
            continue;
        }
        if (!row.included) continue;
        if (!ChequeNumber::isValid(row.number)) {
            addProblem(out.numberProblem, QStringLiteral("The cheque number must be 1 to 12 digits."));
            continue;
        }
        const int other = seen.value(key(out.bankCode, row.number), 0);
        if (other != 0) {
            addProblem(out.numberProblem, QStringLiteral("Cheque number %1 of %2 is also on line %3.")
                                .arg(row.number, out.bankCode)
                                .arg(other));
            continue;
        }
        seen.insert(key(out.bankCode, row.number), row.line);
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const BatchRow& row = rows[i];
        CheckedRow& out = checked[i];
        if (!row.included || row.printed || out.bankCode.isEmpty()) continue;
        if (row.number.isEmpty()) {
            if (!out.problem.isEmpty()) continue;
            QString number = next.value(out.bankCode);
            while (!number.isEmpty() && seen.contains(key(out.bankCode, number)))
                number = ChequeNumber::following(number).value_or(QString());
            if (number.isEmpty()) {
                if (setup.nextNumbers.contains(out.bankCode))
                    addProblem(out.numberProblem, QStringLiteral("No cheque number is left for %1.").arg(out.bankCode));
                continue;
            }
            out.number = number;
            seen.insert(key(out.bankCode, number), row.line);
            next.insert(out.bankCode, ChequeNumber::following(number).value_or(QString()));
        }
        const auto bank = setup.usedNumbers.constFind(out.bankCode);
        if (bank != setup.usedNumbers.constEnd()) {
            const auto used = bank->constFind(out.number);
            if (used != bank->constEnd())
                addProblem(out.numberProblem, QStringLiteral("Cheque number %1 of %2 was already %3.")
                                    .arg(out.number, out.bankCode, used.value()));
        }
    }
}

std::vector<CheckedRow> checkAll(const std::vector<BatchRow>& rows, const BatchSetup& setup) {
    std::vector<CheckedRow> checked(rows.size());
    // Rows are checked on their own, so a long file is shared out among the cores;
    // the numbers are given in file order afterwards.
    constexpr size_t kRowsPerThread = 1000;
    const size_t threads = std::clamp<size_t>(rows.size() / kRowsPerThread, 1,
                                              static_cast<size_t>(std::max(1, QThread::idealThreadCount())));
    auto checkRange = [&](size_t from, size_t to) {
        std::optional<CachedTextMeasure> cache;
        if (setup.measure) cache.emplace(*setup.measure);
        const TextMeasure* measure = cache ? &*cache : nullptr;
        for (size_t i = from; i < to; ++i) checked[i] = checkRow(rows[i], setup, measure);
    };
    std::vector<std::thread> workers;
    const size_t share = (rows.size() + threads - 1) / threads;
    for (size_t t = 1; t < threads; ++t)
        workers.emplace_back(checkRange, t * share, std::min(rows.size(), (t + 1) * share));
    checkRange(0, std::min(rows.size(), share));
    for (std::thread& worker : workers) worker.join();
    assignNumbers(rows, setup, checked);
    return checked;
}

}  // namespace BatchCheck
