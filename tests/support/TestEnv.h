#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

#include "store/Database.h"
#include "platform/AppContext.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinterService.h"
#include "support/Fakes.h"

// A fresh database made by the initdb code in a temporary folder, opened as the
// shared connection, and a context whose seams are all fakes.
class TestEnv {
public:
    TestEnv();

    QString directory() const { return m_dir.path(); }
    QString databasePath() const;
    Database& db() { return *m_db; }

    // Closes and opens the database again (to see what another start would see).
    void reopen();

    FakeDialogs dialogs;
    FakePrinterService printers;
    FakeClock clock;
    FakeShell shell;
    FakeTextMeasure textMeasure;
    FakeMachineSettings machineSettings;
    AppContext context;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
};
