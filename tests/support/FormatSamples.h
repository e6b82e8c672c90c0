#pragma once

#include <gtest/gtest.h>

#include <QVariant>

#include "core/ChequeFormat.h"

class Database;

// A format whose 67 values all differ, so a swapped column shows (exact in single precision).
ChequeFormat distinctFormat(const QString& code);

// The BankCheque columns a format should be stored as, each named literally.
std::vector<std::pair<QString, QVariant>> expectedColumns(const ChequeFormat& format);

// The stored row with `code`, by column name.
QVariantMap storedRow(Database& db, const QString& code);

// Compares a stored row with `expected`, naming every column that differs.
testing::AssertionResult rowMatches(const QVariantMap& row, const std::vector<std::pair<QString, QVariant>>& expected);
