#pragma once

#include <QStringList>

#include <vector>

#include "platform/PrinterService.h"

// A printer list set by the test and a record of every call of a print job.
class FakePrinterService final : public PrinterService {
public:
    struct Call {
        QString op;  // "orientation", "paperA4", "font", "text", "line", "lineStyle", "end", ...
        double x = 0, y = 0, x2 = 0, y2 = 0;
        QString text;
        FontSpec font;
        int code = 0;
    };

    QStringList printerNames() const override { return names; }
    QString currentPrinterName() const override { return names.value(current); }
    void makeCurrent(int index) override;
    QString defaultPrinterName() const override { return defaultName; }
    void setOrientation(int code) override;
    void setPaperA4() override;
    void setFont(const FontSpec& font) override;
    void setCurrentX(double x) override { m_x = x; }
    void setCurrentY(double y) override { m_y = y; }
    double currentX() const override { return m_x; }
    double currentY() const override { return m_y; }
    void printText(const QString& text) override;
    void setLineStyle(LineStyle style) override;
    void setLineWidth(int width) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    double pageHeight() const override { return 11909; }  // A4 landscape, in twips
    void newPage() override;
    void setOutputFile(const QString& path) override;
    PrintReceipt endDocument() override;
    void abortDocument() override;

    std::vector<Call> callsOf(const QString& op) const;
    QStringList printedTexts() const;
    // Printer changes, page set-up and the end of the job in order, such as
    // "makeCurrent1", "orientation2", "paperA4", "end", "abort", "makeCurrent0".
    QStringList jobSteps() const { return m_steps; }
    // Forgets the calls, steps and documents recorded so far.
    void clearRecord() { calls.clear(), m_steps.clear(), madeCurrent.clear(), documentsEnded = 0; }

    QStringList names;
    int current = 0;
    QString defaultName;
    std::vector<int> madeCurrent;
    QString failEndWith;        // when set, endDocument throws PrintError with it
    int failEndOfDocument = 0;  // when set, the n-th endDocument (counting from 1) throws
    std::vector<PrintReceipt> receipts;  // what each ended document gave back
    std::vector<Call> calls;
    int documentsEnded = 0;

private:
    void record(const Call& call);
    double m_x = 0, m_y = 0;
    FontSpec m_font;
    bool m_dotted = false;
    QString m_outputFile;
    QStringList m_steps;
    int m_endCalls = 0;
    qint64 m_nextJobId = 101;
};
