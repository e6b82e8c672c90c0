#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "platform/PrinterService.h"

// A printer list set by the test and a record of every call of a print job.
class FakePrinterService final : public PrinterService {
public:
    struct Call {
        QString op;       // "orientation", "paperA4", "font", "text", "line", "lineStyle", ...
        double x = 0, y = 0, x2 = 0, y2 = 0;
        QString text;
        FontSpec font;
        int code = 0;
    };

    QStringList printerNames() const override { return names; }
    QString currentPrinterName() const override {
        return current >= 0 && current < names.size() ? names.at(current) : QString();
    }
    void makeCurrent(int index) override {
        current = index;
        madeCurrent.push_back(index);
        madeCurrentAt.push_back(calls.size());
    }
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
    double pageHeight() const override { return height; }
    void newPage() override;
    void setOutputFile(const QString& path) override;
    PrintReceipt endDocument() override;
    void abortDocument() override;

    // Calls whose op is `op`.
    std::vector<Call> callsOf(const QString& op) const;
    // The texts printed, in order.
    QStringList printedTexts() const;
    // Printer changes, page set-up and the end of the job in order, such as
    // "makeCurrent1", "orientation2", "paperA4", "end", "abort", "makeCurrent0".
    QStringList jobSteps() const;
    // Forgets the calls and printer changes recorded so far.
    void clearRecord();

    QStringList names;
    int current = 0;
    QString defaultName;
    std::vector<int> madeCurrent;
    std::vector<size_t> madeCurrentAt;  // calls.size() at each entry of madeCurrent
    double height = 11909;   // A4 landscape page height in twips
    double lineHeight = 240; // what printText moves down by
    QString failEndWith;     // when set, endDocument throws PrintError with it
    int failEndOfDocument = 0;  // when set, the n-th endDocument (counting from 1) throws
    int endCalls = 0;
    QString outputFile;      // the last setOutputFile path
    qint64 nextJobId = 101;  // the job id the next ended document gets
    std::vector<PrintReceipt> receipts;  // what each ended document gave back
    std::vector<Call> calls;
    FontSpec font;
    LineStyle lineStyle = LineStyle::Solid;
    int documentsEnded = 0;

private:
    double m_x = 0;
    double m_y = 0;
};
