#pragma once

class Database;

// The tables' version, kept in the file's `PRAGMA user_version`. A file made by
// the first release has version 0; each later version adds its tables in one
// step. New files and opened older files go through the same steps, so both
// end with the same newest tables.
namespace Schema {

constexpr int kVersion = 1;

int version(Database& db);
// Applies every step from the file's version to kVersion inside the caller's
// transaction (new files).
void applyUpgrades(Database& db);
// Brings an opened file to kVersion in one transaction of its own; nothing is
// done to a file that is already there. A file of a newer version is refused
// with a DbError, and nothing is written to it.
void upgrade(Database& db);
// Throws the refusal of a file of a newer version when `db` is one.
void refuseNewer(Database& db);

}  // namespace Schema
