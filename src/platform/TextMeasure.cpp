#include "platform/TextMeasure.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>

#include "core/Units.h"

double ScreenTextMeasure::widthTwips(const QString& text, const FontSpec& font) const {
    QFont qfont(font.face);
    qfont.setPointSizeF(font.size > 0 ? font.size : 1.0);
    qfont.setBold(font.bold);
    const QFontMetricsF metrics(qfont);
    return units::pixelsToTwips(metrics.horizontalAdvance(text), units::screenDpiX());
}
