#pragma once

#include <QString>

#include <functional>

class PrinterService;

// Cheques saved as a PDF file: the pages the current printer would get, written
// under a temporary name in the target's folder and renamed over the target only
// when the whole file is complete, so a failure never leaves half a file.
namespace ChequePdf {

// "<bank code>-<cheque number>-<payee>.pdf" with every character a file name
// cannot hold (on any of the usual systems) replaced by "_".
QString suggestedName(const QString& bankCode, const QString& chequeNumber, const QString& payee);

// Writes `pages` pages to `path` through `printer`: drawPage(i) draws page i
// (from 0) as for a print job, without ending it. Throws PrintError; the target is
// then as it was before.
void write(PrinterService& printer, const QString& path, int pages,
           const std::function<void(int)>& drawPage);

}  // namespace ChequePdf
