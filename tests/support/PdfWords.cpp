#include "support/PdfWords.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

QString unescape(QString text) {
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

}  // namespace

PdfWords PdfWords::read(const QString& pdfPath) {
    PdfWords result;
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                   QStringLiteral("-l"), QStringLiteral("1"), pdfPath, QStringLiteral("-")});
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
    if (!pageMatch.hasMatch()) {
        result.error = QStringLiteral("no page in the pdftotext output");
        return result;
    }
    result.pageWidth = pageMatch.captured(1).toDouble();
    result.pageHeight = pageMatch.captured(2).toDouble();
    for (auto it = word.globalMatch(out); it.hasNext();) {
        const auto m = it.next();
        result.words.push_back({unescape(m.captured(5)), m.captured(1).toDouble(),
                                m.captured(2).toDouble(), m.captured(3).toDouble(),
                                m.captured(4).toDouble()});
    }
    result.ok = true;
    return result;
}

const PdfWords::Word* PdfWords::find(const QString& text) const {
    for (const Word& w : words)
        if (w.text == text) return &w;
    return nullptr;
}
