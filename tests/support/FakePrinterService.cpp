#include "support/FakePrinterService.h"

namespace {

FakePrinterService::Call call(const char* op, int code = 0) {
    FakePrinterService::Call c;
    c.op = QString::fromLatin1(op);
    c.code = code;
    return c;
}

}  // namespace

void FakePrinterService::setOrientation(int code) { calls.push_back(call("orientation", code)); }
void FakePrinterService::setPaperA4() { calls.push_back(call("paperA4")); }
void FakePrinterService::setLineWidth(int width) { calls.push_back(call("lineWidth", width)); }
void FakePrinterService::newPage() { calls.push_back(call("newPage")); }
void FakePrinterService::abortDocument() { calls.push_back(call("abort")); }

void FakePrinterService::setFont(const FontSpec& f) {
    font = f;
    calls.push_back(call("font"));
    calls.back().font = f;
}

void FakePrinterService::printText(const QString& text) {
    Call c = call("text");
    c.x = m_x;
    c.y = m_y;
    c.text = text;
    c.font = font;
    calls.push_back(c);
    m_x = 0;
    m_y += lineHeight;
}

void FakePrinterService::setLineStyle(LineStyle style) {
    lineStyle = style;
    calls.push_back(call("lineStyle", style == LineStyle::Dotted ? 1 : 0));
}

void FakePrinterService::drawLine(double x1, double y1, double x2, double y2) {
    Call c = call("line", lineStyle == LineStyle::Dotted ? 1 : 0);
    c.x = x1;
    c.y = y1;
    c.x2 = x2;
    c.y2 = y2;
    calls.push_back(c);
}

void FakePrinterService::setOutputFile(const QString& path) {
    outputFile = path;
    calls.push_back(call("outputFile"));
    calls.back().text = path;
}

PrintReceipt FakePrinterService::endDocument() {
    calls.push_back(call("end"));
    ++endCalls;
    if (!failEndWith.isEmpty()) throw PrintError(failEndWith.toStdString());
    if (endCalls == failEndOfDocument) throw PrintError("The printer is out of paper.");
    ++documentsEnded;
    receipts.push_back(outputFile.isEmpty() ? PrintReceipt{currentPrinterName(), nextJobId++, true}
                                            : PrintReceipt{outputFile, 0, true});
    return receipts.back();
}

std::vector<FakePrinterService::Call> FakePrinterService::callsOf(const QString& op) const {
    std::vector<Call> out;
    for (const auto& c : calls)
        if (c.op == op) out.push_back(c);
    return out;
}

QStringList FakePrinterService::printedTexts() const {
    QStringList out;
    for (const auto& c : callsOf(QStringLiteral("text"))) out << c.text;
    return out;
}

QStringList FakePrinterService::jobSteps() const {
    QStringList steps;
    size_t made = 0;
    for (size_t i = 0; i <= calls.size(); ++i) {
        for (; made < madeCurrentAt.size() && madeCurrentAt[made] <= i; ++made)
            steps << QStringLiteral("makeCurrent") + QString::number(madeCurrent[made]);
        if (i == calls.size()) break;
        const Call& c = calls[i];
        if (c.op == QStringLiteral("orientation")) steps << c.op + QString::number(c.code);
        if (c.op == QStringLiteral("paperA4") || c.op == QStringLiteral("end") ||
            c.op == QStringLiteral("abort"))
            steps << c.op;
    }
    return steps;
}

void FakePrinterService::clearRecord() {
    calls.clear();
    madeCurrent.clear();
    madeCurrentAt.clear();
    documentsEnded = 0;
}
