#pragma once

#include <QString>

#include <vector>

// What the designer draws on its rulers and canvas grid, in twips from the
// picture's inner top-left corner. Drawing code turns these into pixels.
namespace DesignerGeometry {

struct Line {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const Line&) const = default;
};

// Text whose top-left corner is at (x, y).
struct Text {
    double x = 0, y = 0;
    QString text;
    bool operator==(const Text&) const = default;
};

struct Drawing {
    std::vector<Line> lines;
    std::vector<Text> texts;
};

// Canvas, ruler and grid sizes of the designer, in twips.
constexpr double kCanvasWidth = 10455;
constexpr double kCanvasHeight = 3855;
constexpr double kRulerThickness = 375;
constexpr double kTickStep = 72;   // a twentieth of an inch
constexpr double kGridStep = 360;  // a quarter of an inch

// "Inch" at (10, 0), then a tick every twentieth of an inch from 72 twips,
// rising from the bottom edge; whole inches get a full line and their number.
// The width is tested before each inch only, so the last inch is whole.
Drawing horizontalRuler(double innerWidth, double innerHeight);
// The same down the height, ticks growing from the right edge, no caption.
Drawing verticalRuler(double innerWidth, double innerHeight);
// The quarter-inch grid: horizontal lines while below `rulerHeight` (the
// vertical ruler's inner height), vertical lines while left of the canvas's
// width, four lines per test.
std::vector<Line> chequeGrid(double canvasWidth, double canvasHeight, double rulerHeight);

// Top-left corners of the eight selection handles around a field's rectangle,
// clockwise from the top-left corner; `half` is half a handle's height.
struct Point {
    double x = 0, y = 0;
    bool operator==(const Point&) const = default;
};
std::vector<Point> handlePositions(double left, double top, double width, double height,
                                   double half);
constexpr double kHandleSize = 85;
// Half of a handle's actual height, as a whole number (halves to even).
double halfHandle(double actualHeight);

// twips / 1440 with at most two decimals, no leading or trailing zeros and no
// point after a whole number, then " in": 2160 gives "1.5 in", 720 ".5 in".
QString twipToInch(double twips);

}  // namespace DesignerGeometry
