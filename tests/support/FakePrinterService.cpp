#include "support/FakePrinterService.h"

void FakePrinterService::setOrientation(int code) {
    Call c;
    c.op = QStringLiteral("orientation");
    c.code = code;
    calls.push_back(c);
}

void FakePrinterService::setPaperA4() {
    Call c;
    c.op = QStringLiteral("paperA4");
    calls.push_back(c);
}

void FakePrinterService::setFont(const FontSpec& f) {
    font = f;
    Call c;
    c.op = QStringLiteral("font");
    c.font = f;
    calls.push_back(c);
}

void FakePrinterService::printText(const QString& text) {
    Call c;
    c.op = QStringLiteral("text");
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
    Call c;
    c.op = QStringLiteral("lineStyle");
    c.code = style == LineStyle::Dotted ? 1 : 0;
    calls.push_back(c);
}

void FakePrinterService::setLineWidth(int width) {
    Call c;
    c.op = QStringLiteral("lineWidth");
    c.code = width;
    calls.push_back(c);
}

void FakePrinterService::drawLine(double x1, double y1, double x2, double y2) {
    Call c;
    c.op = QStringLiteral("line");
    c.x = x1;
    c.y = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.code = lineStyle == LineStyle::Dotted ? 1 : 0;
    calls.push_back(c);
}

PrintReceipt FakePrinterService::endDocument() {
    Call c;
    c.op = QStringLiteral("end");
    calls.push_back(c);
    ++endCalls;
    if (!failEndWith.isEmpty()) throw PrintError(failEndWith.toStdString());
    if (endCalls == failEndOfDocument) throw PrintError("The printer is out of paper.");
    ++documentsEnded;
    if (outputFile.isEmpty())
        receipts.push_back({currentPrinterName(), nextJobId++, true});
    else
        receipts.push_back({outputFile, 0, true});
    return receipts.back();
}

void FakePrinterService::newPage() {
    Call c;
    c.op = QStringLiteral("newPage");
    calls.push_back(c);
}

void FakePrinterService::setOutputFile(const QString& path) {
    outputFile = path;
    Call c;
    c.op = QStringLiteral("outputFile");
    c.text = path;
    calls.push_back(c);
}

void FakePrinterService::abortDocument() {
    Call c;
    c.op = QStringLiteral("abort");
    calls.push_back(c);
}

std::vector<FakePrinterService::Call> FakePrinterService::callsOf(const QString& op) const {
    std::vector<Call> out;
    for (const auto& c : calls)
        if (c.op == op) out.push_back(c);
    return out;
}

QStringList FakePrinterService::printedTexts() const {
    QStringList out;
    for (const auto& c : calls)
        if (c.op == QStringLiteral("text")) out << c.text;
    return out;
}

QStringList FakePrinterService::jobSteps() const {
    QStringList steps;
    size_t made = 0;
    auto madeBefore = [&](size_t call) {
        for (; made < madeCurrentAt.size() && madeCurrentAt[made] <= call; ++made)
            steps << QStringLiteral("makeCurrent") + QString::number(madeCurrent[made]);
    };
    for (size_t i = 0; i < calls.size(); ++i) {
        madeBefore(i);
        const Call& c = calls[i];
        if (c.op == QStringLiteral("orientation"))
            steps << c.op + QString::number(c.code);
        else if (c.op == QStringLiteral("paperA4") || c.op == QStringLiteral("end") ||
                 c.op == QStringLiteral("abort"))
            steps << c.op;
    }
    madeBefore(calls.size());
    return steps;
}

void FakePrinterService::clearRecord() {
    calls.clear();
    madeCurrent.clear();
    madeCurrentAt.clear();
    documentsEnded = 0;
}
