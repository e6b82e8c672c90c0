#include "support/TestEnv.h"

#include <QDir>

#include "DatabaseInit.h"

TestEnv::TestEnv() {
    DatabaseInit::createDatabase(m_dir.path());
    m_db = Database::open(databasePath());
    printers.names = {QStringLiteral("Office-Laser"), QStringLiteral("Cheque-Printer")};
    printers.defaultName = QStringLiteral("Office-Laser");
    context.db = m_db.get();
    context.dialogs = &dialogs;
    context.printers = &printers;
    context.clock = &clock;
    context.shell = &shell;
    context.textMeasure = &textMeasure;
    context.machineSettings = &machineSettings;
}

QString TestEnv::databasePath() const { return QDir(m_dir.path()).filePath(DatabaseInit::fileName()); }

void TestEnv::reopen() {
    m_db.reset();
    m_db = Database::open(databasePath());
    context.db = m_db.get();
}
