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

TEST(DesignerMode, EachModeEnablesItsControls) {
    const QString add = s("&Add"), edit = s("&Edit"), cancel = s("&Cancel");
    const std::tuple<DesignerMode, bool, DesignerControlStates> rows[] = {
        {DesignerMode::Browse, true, {false, true, true, add, true, edit, true, true}},
        {DesignerMode::Browse, false, {false, true, true, add, false, edit, true, false}},
        {DesignerMode::Adding, true, {true, false, true, cancel, false, edit, false, true}},
        {DesignerMode::Editing, false, {true, false, false, add, true, cancel, true, false}}};
    for (const auto& [m, formats, states] : rows) EXPECT_EQ(designerControlStates(m, formats), states) << int(m);
}

// Handle -1 drags the label (held at top and left); handle k (clockwise) takes its edges to the pointer, flipping past.
TEST(FieldDrag, DragMovesTheLabelAndHandlesMoveTheirEdgesAndFlip) {
    const FieldLabel label{1000, 500, 300, 200, {}, {}};  // right 1300, bottom 700
    const std::tuple<int, double, double, Box> rows[] = {
        {-1, 160, 80, {1060, 480, 300, 200}},     {-1, 100, -500, {1000, 0, 300, 200}},
        {-1, -2000, 130, {0, 530, 300, 200}},     {-1, 20000, 9000, {20900, 9400, 300, 200}},
        {0, 900, 450, {900, 450, 400, 250}},      {2, 1400, 450, {1000, 450, 400, 250}},
        {1, 0, 699.5, {1000, 699.5, 300, 0.5}},   {5, 0, 400, {1000, 400, 300, 100}},
        {3, 1000.5, 0, {1000.5, 500, -0.5, 200}}, {3, 1001.5, 0, {1000, 500, 1.5, 200}},
        {7, 1299.5, 0, {1300, 500, -0.5, 200}},   {7, 1500, 0, {1300, 500, 200, 200}},
        {4, 20000, 9000, {1000, 500, 9455, 3355}}, {6, -100, -100, {0, 0, 1300, 500}}};
    for (const auto& [handle, px, py, box] : rows) {
        FieldDrag drag;
        FieldLabel released = label;
        if (handle < 0) {
            drag.pressLabel(released);
            EXPECT_TRUE(drag.moveOverLabel(FieldDrag::Buttons::LeftOnly, 100, 100, released) &&
                        drag.moveOverLabel(FieldDrag::Buttons::LeftOnly, px, py, released));
            drag.dropOn(released);
        } else {
            drag.pressHandle(label);
            drag.moveOverHandle(FieldDrag::Buttons::LeftOnly, handle, 0, 0, px, py, label, 10455, 3855);
            drag.releaseOnHandle(released);
        }
        EXPECT_EQ(Box(released.left, released.top, released.width, released.height), box) << handle << " " << px;
    }
}

// Ticks every 1/20 inch rise by 1/8, 1/4, 1/2 or all of the ruler (inches, numbered); the width is tested per inch.
TEST(DesignerGeometry, RulersGridAndInchText) {
    const auto ruler = geo::horizontalRuler(10455, 375);
    for (const auto& [i, y1] : {std::pair{0, 328.125}, {4, 281.25}, {9, 187.5}, {14, 281.25}, {159, 0.0}})
        EXPECT_EQ(ruler.lines.at(i), (geo::Line{72.0 * (i + 1), y1, 72.0 * (i + 1), 375})) << i;
    EXPECT_EQ(ruler.texts.at(8), (geo::Text{11520, 0, s(" 8")}));
    EXPECT_EQ(geo::horizontalRuler(1513, 375).lines.size(), 40u);
    EXPECT_EQ(geo::verticalRuler(375, 3855).lines.at(14), (geo::Line{281.25, 1080, 375, 1080}));
    EXPECT_EQ(geo::chequeGrid(10455, 3855, 1000).size(), 4u + 32u);
    EXPECT_EQ(geo::handlePositions(600, 1440, 4695, 255, 45).at(3), (geo::Point{5250, 1522.5}));
    EXPECT_EQ(geo::twipToInch(2160) + geo::twipToInch(720), s("1.5 in.5 in"));
}

// A4 is 11909 by 16834 twips, upright for code 1; the cheque's height is whole twips.
TEST(ChequeLocation, AlignmentsUseTheSheetOfTheOrientationAndTheChequeSize) {
    const std::tuple<int, const char*, const char*, QSizeF, QSizeF> rows[] = {
        {1, "6.67", "3.33", {11909, 16834}, {9604.8, 4795}}, {2, "6.67", "3.33", {16834, 11909}, {9604.8, 4795}},
        {3, "abc", "", {16834, 11909}, {0, 0}}};
    for (const auto& [code, width, height, sheet, cheque] : rows) {
        ChequeLocation at;
        at.open(250.5, -14.4, code, s(width), s(height));
        at.alignBottom(), at.alignRight();
        EXPECT_EQ(QSizeF(at.left(), at.top()), sheet - cheque) << code;
        at.centreVertically(), at.centreHorizontally(), at.stepTop(true), at.stepLeft(true);  // upper arrows: up, left
        EXPECT_EQ(QSizeF(at.left(), at.top()), (sheet - cheque) / 2 - QSizeF(14.4, 14.4)) << code;
    }
}

}  // namespace
