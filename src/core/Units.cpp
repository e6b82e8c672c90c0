#include "core/Units.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

#include "core/AmountText.h"

namespace units {

double screenDpiX() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double screenDpiY() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

QString formatTwoDecimals(double value) {
    // Round the shortest decimal text that reads back as `value`, so 1.005 gives
    // 1.01 and 0.125 gives 0.13 (half away from zero on the decimal digits).
    QString text = QString::number(value, 'f', 15);
    // 'f' with 15 places can show binary noise; the shortest form does not.
    const QString shortest = QString::number(value, 'g', 15);
    if (!shortest.contains(QLatin1Char('e'))) text = shortest;
    const auto rounded = AmountText::roundDecimal(text, 2);
    return rounded ? *rounded : QStringLiteral("0.00");
}

QString twipsToInchText(double twips) { return formatTwoDecimals(twips / kTwipsPerInch); }

}  // namespace units
