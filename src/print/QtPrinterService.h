#pragma once

#include <QString>

#include <memory>

#include "platform/PrinterService.h"

class QPainter;
class QPrinter;

// The printer service over Qt PrintSupport (CUPS on Linux).
class QtPrinterService final : public PrinterService {
public:
    QtPrinterService();
    ~QtPrinterService() override;

    QStringList printerNames() const override;
    QString currentPrinterName() const override;
    void makeCurrent(int index) override;
    QString defaultPrinterName() const override;

    void setOrientation(int code) override;
    void setPaperA4() override;
    void setFont(const FontSpec& font) override;
    void setCurrentX(double x) override;
    void setCurrentY(double y) override;
    double currentX() const override;
    double currentY() const override;
    void printText(const QString& text) override;
    void setLineStyle(LineStyle style) override;
    void setLineWidth(int width) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    double pageHeight() const override;
    void endDocument() override;
    void abortDocument() override;

private:
    mutable QString m_current;
};
