#pragma once

#include <QString>

#include <vector>

// The words of a PDF's first page with their boxes in points from the page's
// top-left, as poppler's pdftotext -bbox reads them.
struct PdfWords {
    struct Word {
        QString text;
        double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    };

    bool ok = false;
    QString error;
    double pageWidth = 0;
    double pageHeight = 0;
    std::vector<Word> words;

    static PdfWords read(const QString& pdfPath);
    // The first word with this text, or nullptr.
    const Word* find(const QString& text) const;
};
