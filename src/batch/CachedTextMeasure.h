#pragma once

#include <QHash>

#include "platform/TextMeasure.h"

// Keeps every width measured in the last font used, for one thread checking many
// rows: the words of amounts recur on every cheque, so most texts are measured once.
class CachedTextMeasure final : public TextMeasure {
public:
    explicit CachedTextMeasure(const TextMeasure& measure) : m_measure(measure) {}

    double widthTwips(const QString& text, const FontSpec& font) const override {
        if (!(font == m_font)) {
            m_font = font;
            m_widths.clear();
        }
        const auto it = m_widths.constFind(text);
        if (it != m_widths.constEnd()) return it.value();
        const double width = m_measure.widthTwips(text, font);
        m_widths.insert(text, width);
        return width;
    }

private:
    const TextMeasure& m_measure;
    mutable FontSpec m_font;
    mutable QHash<QString, double> m_widths;
};
