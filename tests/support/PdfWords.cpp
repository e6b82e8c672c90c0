#include "support/PdfWords.h"

#include <QProcess>
#include <QRegularExpression>

PdfWords PdfWords::read(const QString& pdfPath) {
    PdfWords result;
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-l"),
                                                QStringLiteral("1"), pdfPath, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        result.error = QStringLiteral("pdftotext failed: ") +
                       QString::fromLocal8Bit(process.readAllStandardError()) + process.errorString();
        return result;
    }
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression page(
        QStringLiteral(R"re(<page width="([-\d.]+)" height="([-\d.]+)">)re"));
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">(.*?)</word>)re"));
    const auto pageMatch = page.match(out);
    result.error = QStringLiteral("no page in the pdftotext output");
    if (!pageMatch.hasMatch()) return result;
    result.pageWidth = pageMatch.captured(1).toDouble();
    result.pageHeight = pageMatch.captured(2).toDouble();
    for (auto it = word.globalMatch(out); it.hasNext();) {
        const auto m = it.next();
        QString text = m.captured(5);
        const std::pair<const char*, const char*> entities[] = {
            {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
        for (const auto& [entity, character] : entities)
            text.replace(QLatin1String(entity), QLatin1String(character));
        result.words.push_back({text, m.captured(1).toDouble(), m.captured(2).toDouble(),
                                m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    result.ok = true;
    result.error.clear();
    return result;
}

const PdfWords::Word* PdfWords::find(const QString& text) const {
    for (const Word& w : words)
        if (w.text == text) return &w;
    return nullptr;
}
