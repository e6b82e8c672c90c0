// Shows the batch window over a small file with one problem row, for a
// screenshot (scripts/screenshot-batch.sh takes it under Xvfb). Prints "shown"
// once the rows are in the table, then stays until it is ended or 60 s pass.
#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

#include "store/ChequeFormatStore.h"
#include "store/ChequeNumberStore.h"
#include "platform/TextMeasure.h"
#include "support/TestEnv.h"
#include "ui/batch/BatchWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    TestEnv env;
    env.context.textMeasure = new ScreenTextMeasure;
    env.printers.names = {QStringLiteral("Office_Laser"), QStringLiteral("Cheque_Printer")};
    env.printers.defaultName = QStringLiteral("Office_Laser");
    ChequeFormat f;
    f.bankCode = QStringLiteral("MBB");
    f.bankName = QStringLiteral("Maybank");
    f.fields.at(FieldWord1) = {720.f, 1920.f, 6000.f};
    f.fonts.at(FieldWord1) = {QStringLiteral("Arial"), 10.f, false};
    ChequeFormatStore::insert(env.db(), f);
    f.bankCode = QStringLiteral("CIMB");
    f.bankName = QStringLiteral("CIMB Bank");
    ChequeFormatStore::insert(env.db(), f);
    ChequeNumberStore::setNext(env.db(), QStringLiteral("MBB"), QStringLiteral("000123"));
    ChequeNumberStore::setNext(env.db(), QStringLiteral("CIMB"), QStringLiteral("004501"));

    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("supplier-run.csv"));
    QFile file(csv);
    file.open(QIODevice::WriteOnly);
    file.write("Payee,Amount,Date,Bank,Number,Memo\r\n"
               "\"ACME Trading, Ltd\",1234.5,2026-12-10,MBB,,invoice 881\r\n"
               "Borneo Timber Sdn Bhd,\"12,000\",2026-12-10,MBB,,invoice 882\r\n"
               "Chan & Sons,-45.00,2026-12-10,MBB,,credit note\r\n"
               "Delta Logistics,980.25,2026-12-11,CIMB,,invoice 77\r\n"
               "Everbright Paper,310,2026-12-11,CIMB,,invoice 78\r\n");
    file.close();

    BatchSetup::Choices choices;
    choices.defaultBankCode = QStringLiteral("MBB");
    choices.today = QDate(2026, 12, 7);
    choices.dateStyle = QStringLiteral("dd mmm yyyy");
    choices.measure = env.context.textMeasure;
    BatchWindow window(env.context, choices);
    QObject::connect(&window, &BatchWindow::loaded, [] {
        std::printf("shown\n");
        std::fflush(stdout);
    });
    window.show();
    window.openFile(csv);
    QTimer::singleShot(60000, &app, &QApplication::quit);
    return app.exec();
}
