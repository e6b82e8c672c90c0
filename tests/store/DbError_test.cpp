#include <gtest/gtest.h>

#include <sqlite3.h>

#include "store/DbError.h"

namespace {

TEST(DbError, FileFaultsNameTheFileAndKeepTheEngineText) {
    // Percent signs in a path are not taken for places to fill.
    const QString path = QStringLiteral("/data/100%1 sure/%2/chequedb.mdb");
    const struct {
        int code;
        const char* says;
    } cases[] = {
        {SQLITE_CANTOPEN, "no journal file could be made in its folder \"/data/100%1 sure/%2\""},
        {SQLITE_NOTADB, "not a Quorvanta Solo database"},
        {SQLITE_CORRUPT, "is damaged"},
        {SQLITE_READONLY, "is read-only"},
        {SQLITE_BUSY, "in use by another program"},
        {SQLITE_LOCKED, "in use by another program"},
        {SQLITE_FULL, "the disk is full"},
        {SQLITE_IOERR, "could not be"},
        {SQLITE_IOERR_WRITE, "could not be written: the disk may be full"},
        {SQLITE_IOERR_FSYNC, "could not be written: the disk may be full"},
        {SQLITE_IOERR_READ, "could not be read: the disk"},
        {SQLITE_PERM, "refused access"},
    };
    for (const auto& c : cases) {
        const QString text = DbError::explain(c.code, QStringLiteral("engine says"), path);
        EXPECT_TRUE(text.contains(QStringLiteral("\"/data/100%1 sure/%2/chequedb.mdb\"")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.says))) << text.toStdString();
        EXPECT_TRUE(text.endsWith(QStringLiteral("(engine says)."))) << text.toStdString();
    }
    // Faults of a statement rather than the file keep the engine's own words.
    EXPECT_EQ(DbError::explain(SQLITE_ERROR, QStringLiteral("no such table: X"), path),
              QStringLiteral("no such table: X"));
    EXPECT_EQ(DbError::explain(SQLITE_CONSTRAINT, QStringLiteral("UNIQUE failed"), path),
              QStringLiteral("UNIQUE failed"));
    EXPECT_EQ(DbError::explain(SQLITE_BUSY, QStringLiteral("database is locked"), QString()),
              QStringLiteral("database is locked"));
}

}  // namespace
