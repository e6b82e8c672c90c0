#pragma once

#include <QString>

// A field's font as a cheque format keeps it: face, size in points, bold flag.
struct FontSpec {
    QString face = QStringLiteral("Arial");
    float size = 9.0f;
    bool bold = false;

    bool operator==(const FontSpec&) const = default;
};
