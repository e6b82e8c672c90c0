#include "designer/ChequeLocation.h"

#include <climits>
#include <cmath>

#include "core/Units.h"
#include "designer/AlignmentSheets.h"

void ChequeLocation::open(double chequeTop, double chequeLeft, int orientationCode,
                          const QString& widthText, const QString& heightText) {
    m_orientation = orientationOfCode(orientationCode);
    m_chequeWidth = AlignmentSheets::boxTwips(widthText);
    const double height = std::round(AlignmentSheets::boxTwips(heightText));
    // The height is kept in whole twips; a box beyond that range counts as no number.
    m_chequeHeight = height >= INT_MIN && height <= INT_MAX ? static_cast<int>(height) : 0;
    m_top = chequeTop;
    m_left = chequeLeft;
}

double ChequeLocation::sheetWidth() const {
    return m_orientation == Orientation::Landscape ? kSheetShortSide : kSheetLongSide;
}

double ChequeLocation::sheetHeight() const {
    return m_orientation == Orientation::Landscape ? kSheetLongSide : kSheetShortSide;
}

void ChequeLocation::chooseOrientation(Orientation orientation) {
    m_orientation = orientation;
    if (orientation == Orientation::Landscape)
        alignTop();
    else
        alignBottom();
}

QString ChequeLocation::inchText(double twips) {
    return units::twipsToInchText(twips) + QLatin1Char('"');
}
