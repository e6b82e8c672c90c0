#pragma once

#include <QString>

#include <vector>

#include "batch/BatchRow.h"
#include "batch/BatchSetup.h"
#include "batch/CheckedRow.h"

// The checks of a batch, by the rules of the main window: an empty payee, an
// amount that is empty, no number, negative or a trillion or more, an unknown
// bank code, a date that is no date, and a cheque number that is malformed,
// already in the register or used by an earlier row of the file.
namespace BatchCheck {

// Checks one row on its own; the number is not judged (see checkAll). The word
// lines are measured with `measure`, else with the setup's.
CheckedRow checkRow(const BatchRow& row, const BatchSetup& setup,
                    const TextMeasure* measure = nullptr);

// Checks every row and gives the numbers: a row without one takes its bank's
// next number, counting on past the numbers given to earlier rows. Excluded rows
// and rows with a problem take no number.
std::vector<CheckedRow> checkAll(const std::vector<BatchRow>& rows, const BatchSetup& setup);

// Gives the numbers and judges them for rows already checked by checkRow.
void assignNumbers(const std::vector<BatchRow>& rows, const BatchSetup& setup,
                   std::vector<CheckedRow>& checked);

// The date a cell gives: ISO yyyy-mm-dd, else the short date format (a two-digit
// year counts in this century); `today` for an empty cell; an invalid date when
// it is neither.
QDate parseDate(const QString& cell, const QString& shortDateFormat, const QDate& today);

}  // namespace BatchCheck
