#include "print/QtPrinterService.h"

#include <QPrinterInfo>

QtPrinterService::QtPrinterService() = default;
QtPrinterService::~QtPrinterService() = default;

QStringList QtPrinterService::printerNames() const { return QPrinterInfo::availablePrinterNames(); }
QString QtPrinterService::currentPrinterName() const {
    // The print system is asked only when printing needs it, not at start-up.
    if (m_current.isNull()) m_current = QPrinterInfo::defaultPrinterName();
    return m_current;
}
void QtPrinterService::makeCurrent(int index) {
    const QStringList names = printerNames();
    if (index >= 0 && index < names.size()) m_current = names.at(index);
}
QString QtPrinterService::defaultPrinterName() const { return QPrinterInfo::defaultPrinterName(); }

// Printing itself comes with the print job implementation.
void QtPrinterService::setOrientation(int) {}
void QtPrinterService::setPaperA4() {}
void QtPrinterService::setFont(const FontSpec&) {}
void QtPrinterService::setCurrentX(double) {}
void QtPrinterService::setCurrentY(double) {}
double QtPrinterService::currentX() const { return 0; }
double QtPrinterService::currentY() const { return 0; }
void QtPrinterService::printText(const QString&) {}
void QtPrinterService::setLineStyle(LineStyle) {}
void QtPrinterService::setLineWidth(int) {}
void QtPrinterService::drawLine(double, double, double, double) {}
double QtPrinterService::pageHeight() const { return 0; }
void QtPrinterService::endDocument() { throw PrintError("Printing is not available yet."); }
void QtPrinterService::abortDocument() {}
