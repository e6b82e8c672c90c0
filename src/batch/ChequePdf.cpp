#include "batch/ChequePdf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

#include "platform/PrinterService.h"

namespace ChequePdf {

QString suggestedName(const QString& bankCode, const QString& chequeNumber, const QString& payee) {
    QString name = bankCode + QLatin1Char('-') + chequeNumber + QLatin1Char('-') + payee.trimmed();
    static const QString kForbidden = QStringLiteral("<>:\"/\\|?*");
    for (QChar& c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || kForbidden.contains(c)) c = QLatin1Char('_');
    // Windows drops trailing dots and blanks; a name of dots means a folder.
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' '))) name.chop(1);
    if (name.isEmpty()) name = QStringLiteral("cheque");
    return name + QStringLiteral(".pdf");
}

void write(PrinterService& printer, const QString& path, int pages,
           const std::function<void(int)>& drawPage) {
    const QFileInfo target(path);
    // The temporary file reserves a unique name beside the target, on the same
    // file system, so the rename cannot fail half-way.
    QTemporaryFile reserved(target.absoluteDir().filePath(QStringLiteral(".") + target.fileName() +
                                                          QStringLiteral(".XXXXXX.part")));
    if (!reserved.open())
        throw PrintError(QString(QStringLiteral("The file \"") + QDir::toNativeSeparators(path) +
                                 QStringLiteral("\" could not be written: ") + reserved.errorString())
                             .toStdString());
    reserved.close();
    const QString temporary = reserved.fileName();

    printer.setOutputFile(temporary);
    try {
        for (int i = 0; i < pages; ++i) {
            if (i > 0) printer.newPage();
            drawPage(i);
        }
        printer.endDocument();
    } catch (...) {
        printer.abortDocument();
        printer.setOutputFile(QString());
        throw;
    }
    printer.setOutputFile(QString());
    // Once renamed, the temporary name is gone and removing it does nothing.
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        throw PrintError(QString(QStringLiteral("The file \"") + QDir::toNativeSeparators(path) +
                                 QStringLiteral("\" could not be written."))
                             .toStdString());
}

}  // namespace ChequePdf
