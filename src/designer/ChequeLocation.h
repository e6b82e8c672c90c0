#pragma once

#include <QString>

// Where the cheque lies on the A4 sheet, as a format stores it: offsets of its
// top-left corner from the printable area's top-left (twips) and the page's
// orientation code (1 upright, 2 turned). The location window hands one back.
struct ChequePlacement {
    double top = 0.0;
    double left = 0.0;
    int orientationCode = 1;
};

// Where the cheque lies on the A4 sheet, as the location window edits it: the
// offsets of its top-left corner from the printable area's top-left (twips, may
// be negative) and the sheet's orientation choice. Alignments use the exact sizes
// of the sheet and the cheque.
class ChequeLocation {
public:
    // The choices of the window: "Landscape" prints on an upright page (code 1),
    // "Portrait" on a turned page (code 2).
    enum class Orientation { Landscape, Portrait };

    // A4 in twips.
    static constexpr double kSheetShortSide = 11909.0;
    static constexpr double kSheetLongSide = 16834.0;
    // One click of a spin button: a hundredth of an inch.
    static constexpr double kStep = 14.4;

    static Orientation orientationOfCode(int code) {
        return code == 1 ? Orientation::Landscape : Orientation::Portrait;
    }
    static int codeOf(Orientation orientation) {
        return orientation == Orientation::Landscape ? 1 : 2;
    }

    // Starts from the designer's values: its offsets, orientation code and size
    // boxes (inches; a text that is no number counts as 0).
    void open(double chequeTop, double chequeLeft, int orientationCode, const QString& widthText,
              const QString& heightText);

    double top() const { return m_top; }
    double left() const { return m_left; }
    Orientation orientation() const { return m_orientation; }
    int orientationCode() const { return codeOf(m_orientation); }

    // The cheque: width in twips, height in whole twips.
    double chequeWidth() const { return m_chequeWidth; }
    int chequeHeight() const { return m_chequeHeight; }
    // The sheet of the chosen orientation, twips.
    double sheetWidth() const;
    double sheetHeight() const;

    void alignTop() { m_top = 0.0; }
    void alignLeft() { m_left = 0.0; }
    void alignBottom() { m_top = sheetHeight() - m_chequeHeight; }
    void alignRight() { m_left = sheetWidth() - m_chequeWidth; }
    void centreVertically() { m_top = (sheetHeight() - m_chequeHeight) / 2.0; }
    void centreHorizontally() { m_left = (sheetWidth() - m_chequeWidth) / 2.0; }

    // Spin buttons: the upper arrow moves the cheque up (top lessens) or left.
    void stepTop(bool upperArrow) { m_top += upperArrow ? -kStep : kStep; }
    void stepLeft(bool upperArrow) { m_left += upperArrow ? -kStep : kStep; }

    // A new choice puts the cheque at the top of an upright sheet or at the
    // bottom of a turned one; left stays.
    void chooseOrientation(Orientation orientation);

    // An offset as the window shows it: inches "0.00" and the inch mark.
    static QString inchText(double twips);

private:
    double m_top = 0.0;
    double m_left = 0.0;
    Orientation m_orientation = Orientation::Landscape;
    double m_chequeWidth = 0.0;
    int m_chequeHeight = 0;
};
