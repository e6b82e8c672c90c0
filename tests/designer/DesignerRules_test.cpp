#include <gtest/gtest.h>

#include <QRectF>

#include "designer/ChequeLocation.h"
#include "designer/DesignerGeometry.h"
#include "designer/DesignerMode.h"
#include "designer/FieldDrag.h"

namespace {

namespace geo = DesignerGeometry;
using Box = FieldDrag::Box;
QString s(const char* text) { return QString::fromUtf8(text); }
Box boxOf(const FieldLabel& l) { return {l.left, l.top, l.width, l.height}; }

TEST(DesignerMode, EachModeEnablesItsControls) {
    const std::tuple<DesignerMode, bool, DesignerControlStates> rows[] = {
        {DesignerMode::Browse, true, {false, true, true, s("&Add"), true, s("&Edit"), true, true}},
        {DesignerMode::Browse, false, {false, true, true, s("&Add"), false, s("&Edit"), true, false}},
        {DesignerMode::Adding, true, {true, false, true, s("&Cancel"), false, s("&Edit"), false, true}},
        {DesignerMode::Editing, false, {true, false, false, s("&Add"), true, s("&Cancel"), true, false}}};
    for (const auto& [mode, formats, states] : rows)
        EXPECT_EQ(designerControlStates(mode, formats), states) << static_cast<int>(mode);
}

// The first move notes the start point (100, 100), the next moves the box by the
// travel from there, held at the top and left edges only; the drop moves the label.
TEST(FieldDrag, DragMovesByTheTravelHeldAtTopAndLeft) {
    const std::pair<QPointF, Box> rows[] = {{{160, 80}, {1060, 480, 300, 200}},
                                            {{100, -500}, {1000, 0, 300, 200}},
                                            {{-2000, 130}, {0, 530, 300, 200}},
                                            {{20000, 9000}, {20900, 9400, 300, 200}}};
    for (const auto& [to, dropped] : rows) {
        FieldDrag drag;
        FieldLabel label{1000, 500, 300, 200, {}, {}};
        drag.pressLabel(label);
        bool hide = true;
        EXPECT_TRUE(drag.moveOverLabel(FieldDrag::Buttons::LeftOnly, 100, 100, label, &hide));
        EXPECT_FALSE(hide);  // handles go from the second move on
        EXPECT_TRUE(drag.moveOverLabel(FieldDrag::Buttons::LeftOnly, to.x(), to.y(), label, &hide));
        EXPECT_TRUE(hide);
        drag.dropOn(label);
        EXPECT_EQ(boxOf(label), dropped) << to.x();
        drag.moveOverLabel(FieldDrag::Buttons::None, 0, 0, label);
        EXPECT_FALSE(drag.dragging());
    }
}

// Handle k (clockwise from the top-left) takes its edges to the pointer, held
// inside the canvas; past the opposite edge the box flips. Horizontal extents are
// rounded to whole twips (halves to even) for that test.
TEST(FieldDrag, HandlesMoveTheirEdgesAndFlip) {
    const FieldLabel label{1000, 500, 300, 200, {}, {}};  // right 1300, bottom 700
    const std::tuple<int, double, double, Box> rows[] = {
        {0, 900, 450, {900, 450, 400, 250}},   {2, 1400, 450, {1000, 450, 400, 250}},
        {1, 0, 699.5, {1000, 699.5, 300, 0.5}}, {5, 0, 400, {1000, 400, 300, 100}},
        {3, 1000.5, 0, {1000.5, 500, -0.5, 200}}, {3, 1001.5, 0, {1000, 500, 1.5, 200}},
        {7, 1299.5, 0, {1300, 500, -0.5, 200}}, {7, 1500, 0, {1300, 500, 200, 200}},
        {4, 20000, 9000, {1000, 500, 9455, 3355}}, {6, -100, -100, {0, 0, 1300, 500}}};
    for (const auto& [handle, px, py, box] : rows) {
        FieldDrag drag;
        FieldLabel released = label;
        drag.pressHandle(label);
        drag.moveOverHandle(FieldDrag::Buttons::LeftOnly, handle, 0, 0, px, py, label, 10455, 3855);
        drag.releaseOnHandle(released);
        EXPECT_EQ(boxOf(released), box) << handle << " at " << px << "," << py;
    }
}

// Ticks every twentieth of an inch rise by 1/8, 1/4 (quarters), 1/2 (halves) or all
// of the ruler (inches, with their number); the width is tested before each inch.
TEST(DesignerGeometry, RulersGridHandlesAndInchText) {
    const auto ruler = geo::horizontalRuler(10455, 375);
    ASSERT_EQ(ruler.lines.size(), 160u);
    const std::pair<size_t, double> ticks[] = {{0, 328.125}, {4, 281.25}, {9, 187.5},
                                               {14, 281.25}, {19, 0},     {159, 0}};
    for (const auto& [i, y1] : ticks)
        EXPECT_EQ(ruler.lines.at(i), (geo::Line{72.0 * (i + 1), y1, 72.0 * (i + 1), 375})) << i;
    EXPECT_EQ(ruler.texts.at(8), (geo::Text{11520, 0, s(" 8")}));
    EXPECT_EQ(geo::horizontalRuler(1513, 375).lines.size(), 40u);
    EXPECT_EQ(geo::verticalRuler(375, 3855).lines.at(14), (geo::Line{281.25, 1080, 375, 1080}));
    EXPECT_EQ(geo::chequeGrid(10455, 3855, 1000).size(), 4u + 32u);
    EXPECT_EQ(geo::handlePositions(600, 1440, 4695, 255, 45).at(3), (geo::Point{5250, 1522.5}));
    EXPECT_EQ(geo::halfHandle(75), 38);
    for (const auto& [twips, text] : {std::pair{2160.0, "1.5 in"}, {720.0, ".5 in"}, {7.0, "0 in"}})
        EXPECT_EQ(geo::twipToInch(twips), s(text)) << twips;
}

// A4 is 11909 by 16834 twips, upright for code 1; the cheque's height is kept in
// whole twips, its width is not; a size that is no number counts as 0.
TEST(ChequeLocation, AlignmentsUseTheSheetOfTheOrientationAndTheChequeSize) {
    const std::tuple<int, const char*, const char*, QSizeF, QSizeF> rows[] = {
        {1, "6.67", "3.33", {11909, 16834}, {9604.8, 4795}},
        {2, "6.67", "3.33", {16834, 11909}, {9604.8, 4795}},
        {3, "abc", "", {16834, 11909}, {0, 0}}};
    for (const auto& [code, width, height, sheet, cheque] : rows) {
        ChequeLocation at;
        at.open(250.5, -14.4, code, s(width), s(height));
        auto place = [&at] { return QSizeF(at.left(), at.top()); };
        at.alignBottom();
        at.alignRight();
        EXPECT_EQ(place(), sheet - cheque) << code;
        at.centreVertically();
        at.centreHorizontally();
        at.stepTop(true);  // the upper arrows move up and left
        at.stepLeft(true);
        EXPECT_EQ(place(), (sheet - cheque) / 2 - QSizeF(14.4, 14.4)) << code;
        at.chooseOrientation(ChequeLocation::Orientation::Portrait);  // to the bottom
        EXPECT_DOUBLE_EQ(at.top(), 11909 - cheque.height());
        at.chooseOrientation(ChequeLocation::Orientation::Landscape);  // to the top
        EXPECT_EQ(at.top(), 0.0);
    }
}

}  // namespace
