#pragma once

#include <QString>

#include <functional>
#include <vector>

#include "store/RegisterEntry.h"
#include "store/RegisterFilter.h"

class Database;

// The register as CSV (RFC 4180): UTF-8, a header row, lines ended by CR LF,
// fields holding a comma, a quote or a line end quoted with quotes doubled;
// amounts as plain decimals with two places, times and dates in ISO 8601.
namespace RegisterCsv {

QString header();
QString row(const RegisterEntry& entry);
// One field as RFC 4180 writes it.
QString field(const QString& text);

// Writes every entry of the filter, newest first, to `path` through a temporary
// file that replaces it only once it is complete: a failed export leaves no
// half file. Returns the number of entries, or -1 with `error` set.
int exportTo(Database& db, const RegisterFilter& filter, const QString& path, QString& error);

}  // namespace RegisterCsv
