#include "designer/DesignerGeometry.h"

#include <cmath>

#include "core/Units.h"

namespace DesignerGeometry {

namespace {

// A whole-inch number as written on a ruler: one leading blank, as a number is printed.
QString inchNumber(double twips) {
    return QLatin1Char(' ') + QString::number(static_cast<long long>(std::floor(twips / 1440.0)));
}

// Length of tick i (1 to 20) as a fraction of the ruler's thickness.
double tickFraction(int i) {
    if (i == 20) return 1.0;
    if (i == 10) return 0.5;
    if (i == 5 || i == 15) return 0.25;
    return 0.125;
}

}  // namespace

Drawing horizontalRuler(double innerWidth, double innerHeight) {
    Drawing drawing;
    drawing.texts.push_back({10, 0, QStringLiteral("Inch")});
    const double h = innerHeight;
    double x = kTickStep;
    while (x < innerWidth) {
        for (int i = 1; i <= 20; ++i) {
            const double fraction = tickFraction(i);
            drawing.lines.push_back({x, i == 20 ? 0.0 : h - h * fraction, x, h});
            if (i == 20) drawing.texts.push_back({x, 0, inchNumber(x)});
            x += kTickStep;
        }
    }
    return drawing;
}

Drawing verticalRuler(double innerWidth, double innerHeight) {
    Drawing drawing;
    const double w = innerWidth;
    double y = kTickStep;
    while (y < innerHeight) {
        for (int i = 1; i <= 20; ++i) {
            const double fraction = tickFraction(i);
            drawing.lines.push_back({i == 20 ? 0.0 : w - w * fraction, y, w, y});
            if (i == 20) drawing.texts.push_back({0, y, inchNumber(y)});
            y += kTickStep;
        }
    }
    return drawing;
}

std::vector<Line> chequeGrid(double canvasWidth, double canvasHeight, double rulerHeight) {
    constexpr int kLinesPerInch = 20 / 5;
    std::vector<Line> lines;
    double y = kGridStep;
    while (y < rulerHeight) {
        for (int n = 0; n < kLinesPerInch; ++n) {
            lines.push_back({0, y, canvasWidth, y});
            y += kGridStep;
        }
    }
    double x = kGridStep;
    while (x < canvasWidth) {
        for (int n = 0; n < kLinesPerInch; ++n) {
            lines.push_back({x, 0, x, canvasHeight});
            x += kGridStep;
        }
    }
    return lines;
}

std::vector<Point> handlePositions(double l, double t, double w, double h, double half) {
    return {{l - half, t - half},         {l + w / 2 - half, t - half},
            {l + w - half, t - half},     {l + w - half, t + h / 2 - half},
            {l + w - half, t + h - half}, {l + w / 2 - half, t + h - half},
            {l - half, t + h - half},     {l - half, t + h / 2 - half}};
}

double halfHandle(double actualHeight) { return std::nearbyint(actualHeight / 2); }

QString twipToInch(double twips) {
    QString text = units::formatTwoDecimals(twips / units::kTwipsPerInch);
    // "#.##": drop trailing zeros, then a trailing point, then a leading zero.
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    if (text.startsWith(QStringLiteral("0."))) text.remove(0, 1);
    if (text.startsWith(QStringLiteral("-0."))) text.remove(1, 1);
    if (text.isEmpty() || text == QStringLiteral("-") || text == QStringLiteral("-0"))
        text = QStringLiteral("0");
    return text + QStringLiteral(" in");
}

}  // namespace DesignerGeometry
