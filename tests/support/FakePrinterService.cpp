#include "support/FakePrinterService.h"

using namespace Qt::StringLiterals;

void FakePrinterService::setOrientation(int code) { record({u"orientation"_s, 0, 0, 0, 0, {}, {}, code}); }
void FakePrinterService::setPaperA4() { record({u"paperA4"_s}); }
void FakePrinterService::setFont(const FontSpec& font) { record({u"font"_s, 0, 0, 0, 0, {}, m_font = font}); }
void FakePrinterService::setLineStyle(LineStyle style) {
    record({u"lineStyle"_s, 0, 0, 0, 0, {}, {}, m_dotted = style == LineStyle::Dotted});
}
void FakePrinterService::setLineWidth(int width) { record({u"lineWidth"_s, 0, 0, 0, 0, {}, {}, width}); }
void FakePrinterService::drawLine(double x1, double y1, double x2, double y2) {
    record({u"line"_s, x1, y1, x2, y2, {}, {}, m_dotted});
}
void FakePrinterService::newPage() { record({u"newPage"_s}); }
void FakePrinterService::setOutputFile(const QString& to) { record({u"outputFile"_s, 0, 0, 0, 0, m_outputFile = to}); }
void FakePrinterService::abortDocument() { record({u"abort"_s}); }

void FakePrinterService::record(const Call& call) {
    calls.push_back(call);
    if (call.op == u"orientation") m_steps << call.op + QString::number(call.code);
    if (call.op == u"paperA4" || call.op == u"end" || call.op == u"abort") m_steps << call.op;
}

void FakePrinterService::makeCurrent(int index) {
    current = index;
    madeCurrent.push_back(index);
    m_steps << u"makeCurrent"_s + QString::number(index);
}

// Each text is recorded where it starts; the next line starts at the left margin.
void FakePrinterService::printText(const QString& text) {
    record({u"text"_s, m_x, m_y, 0, 0, text, m_font});
    m_x = 0;
    m_y += 240;
}

PrintReceipt FakePrinterService::endDocument() {
    record({u"end"_s});
    if (!failEndWith.isEmpty()) throw PrintError(failEndWith.toStdString());
    if (++m_endCalls == failEndOfDocument) throw PrintError("The printer is out of paper.");
    ++documentsEnded;
    receipts.push_back(m_outputFile.isEmpty() ? PrintReceipt{currentPrinterName(), m_nextJobId++, true}
                                              : PrintReceipt{m_outputFile, 0, true});
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
    for (const auto& c : callsOf(u"text"_s)) out << c.text;
    return out;
}
