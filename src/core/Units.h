#pragma once

#include <QString>

// Lengths of a cheque are twips: 1440 to the inch.
namespace units {

constexpr double kTwipsPerInch = 1440.0;

// Logical DPI of the primary screen (96 when there is none).
double screenDpiX();
double screenDpiY();

inline double twipsToPixels(double twips, double dpi) { return twips * dpi / kTwipsPerInch; }
inline double pixelsToTwips(double pixels, double dpi) { return pixels * kTwipsPerInch / dpi; }

// twips / 1440 as "0.00": two decimals, rounded half away from zero.
QString twipsToInchText(double twips);
// A number as "0.00".
QString formatTwoDecimals(double value);

}  // namespace units
