#pragma once

#include <QString>

#include "core/FontSpec.h"

// Width of a text in twips as the screen would draw it in the given font.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual double widthTwips(const QString& text, const FontSpec& font) const = 0;
};

// Measures with the screen's font metrics and converts pixels to twips with the
// screen's logical DPI.
class ScreenTextMeasure final : public TextMeasure {
public:
    double widthTwips(const QString& text, const FontSpec& font) const override;
};
