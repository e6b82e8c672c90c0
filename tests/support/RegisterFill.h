#pragma once

class Database;

// Adds `count` printed entries to the register in one transaction, numbered on
// from the entries already there: entry n is of bank "MBB", "HSB" or "CIMB" in
// turn, to payee "Payee <n mod 500>" (every 100th "ACME Ltd <n>"), for n cents,
// printed n minutes after 2020-01-01 UTC; every 50th is void.
void fillRegister(Database& db, int count);
