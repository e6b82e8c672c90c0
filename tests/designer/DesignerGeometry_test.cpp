#include <gtest/gtest.h>

#include "designer/DesignerGeometry.h"

namespace {

namespace geo = DesignerGeometry;

TEST(DesignerGeometry, HorizontalRulerTicksAndNumbers) {
    const auto ruler = geo::horizontalRuler(10455, 375);
    // Eight inches started (the last at 10152 < 10455), each drawn whole.
    ASSERT_EQ(ruler.lines.size(), 160u);
    struct Tick {
        size_t index;
        geo::Line line;
    };
    const Tick ticks[] = {
        {0, {72, 328.125, 72, 375}},       // first tick, an eighth of the height
        {4, {360, 281.25, 360, 375}},      // quarter inch
        {9, {720, 187.5, 720, 375}},       // half inch
        {14, {1080, 281.25, 1080, 375}},   // three quarters
        {19, {1440, 0, 1440, 375}},        // the inch line, full height
        {20, {1512, 328.125, 1512, 375}},  // the next inch starts afresh
        {39, {2880, 0, 2880, 375}},
        {159, {11520, 0, 11520, 375}},  // past the edge, clipped when drawn
    };
    for (const Tick& t : ticks) EXPECT_EQ(ruler.lines.at(t.index), t.line) << t.index;
    // Every tick rises from the bottom edge; multiples of 72 exactly.
    for (size_t i = 0; i < ruler.lines.size(); ++i) {
        EXPECT_EQ(ruler.lines[i].y2, 375);
        EXPECT_EQ(ruler.lines[i].x1, 72.0 * static_cast<double>(i + 1));
        EXPECT_EQ(ruler.lines[i].x1, ruler.lines[i].x2);
    }
    ASSERT_EQ(ruler.texts.size(), 9u);
    EXPECT_EQ(ruler.texts[0], (geo::Text{10, 0, QStringLiteral("Inch")}));
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(ruler.texts[n], (geo::Text{1440.0 * n, 0, QStringLiteral(" %1").arg(n)}));
}

TEST(DesignerGeometry, RulerWidthIsTestedBeforeEachInchOnly) {
    struct Case {
        double width;
        size_t inches;
    };
    const Case cases[] = {{0, 0}, {72, 0}, {73, 1}, {1512, 1}, {1513, 2}, {10455, 8}};
    for (const Case& c : cases) {
        const auto ruler = geo::horizontalRuler(c.width, 375);
        EXPECT_EQ(ruler.lines.size(), c.inches * 20) << c.width;
        EXPECT_EQ(ruler.texts.size(), c.inches + 1) << c.width;
    }
}

TEST(DesignerGeometry, VerticalRulerTicksAndNumbers) {
    const auto ruler = geo::verticalRuler(375, 3855);
    ASSERT_EQ(ruler.lines.size(), 60u);  // inches from 72, 1512 and 2952
    EXPECT_EQ(ruler.lines[0], (geo::Line{328.125, 72, 375, 72}));
    EXPECT_EQ(ruler.lines[4], (geo::Line{281.25, 360, 375, 360}));
    EXPECT_EQ(ruler.lines[9], (geo::Line{187.5, 720, 375, 720}));
    EXPECT_EQ(ruler.lines[19], (geo::Line{0, 1440, 375, 1440}));
    EXPECT_EQ(ruler.lines[59], (geo::Line{0, 4320, 375, 4320}));
    for (const auto& line : ruler.lines) EXPECT_EQ(line.x2, 375);  // from the right edge
    ASSERT_EQ(ruler.texts.size(), 3u);                             // no caption
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(ruler.texts[n - 1], (geo::Text{0, 1440.0 * n, QStringLiteral(" %1").arg(n)}));
}

TEST(DesignerGeometry, GridEveryQuarterInchFourLinesPerTest) {
    const auto lines = geo::chequeGrid(10455, 3855, 3855);
    std::vector<geo::Line> horizontal, vertical;
    for (const auto& l : lines) (l.y1 == l.y2 ? horizontal : vertical).push_back(l);
    ASSERT_EQ(horizontal.size(), 12u);  // 360 .. 4320
    ASSERT_EQ(vertical.size(), 32u);    // 360 .. 11520
    for (size_t i = 0; i < horizontal.size(); ++i)
        EXPECT_EQ(horizontal[i], (geo::Line{0, 360.0 * (i + 1), 10455, 360.0 * (i + 1)}));
    for (size_t i = 0; i < vertical.size(); ++i)
        EXPECT_EQ(vertical[i], (geo::Line{360.0 * (i + 1), 0, 360.0 * (i + 1), 3855}));
    // The horizontal lines follow the vertical ruler's height, not the canvas's.
    EXPECT_EQ(geo::chequeGrid(10455, 3855, 1000).size(), 4u + 32u);
}

TEST(DesignerGeometry, TwipToInch) {
    const std::pair<double, const char*> cases[] = {
        {2160, "1.5 in"}, {1440, "1 in"},     {720, ".5 in"},      {3600, "2.5 in"},
        {0, "0 in"},      {14400, "10 in"},   {1771.2, "1.23 in"}, {1447.2, "1.01 in"},
        {7, "0 in"},      {-2160, "-1.5 in"}, {-720, "-.5 in"},    {10455, "7.26 in"}};
    for (const auto& [twips, text] : cases)
        EXPECT_EQ(geo::twipToInch(twips), QString::fromLatin1(text)) << twips;
}

TEST(DesignerGeometry, HandlesAroundAField) {
    const auto corners = geo::handlePositions(600, 1440, 4695, 255, 45);
    const geo::Point expected[] = {{555, 1395},  {2902.5, 1395}, {5250, 1395}, {5250, 1522.5},
                                   {5250, 1650}, {2902.5, 1650}, {555, 1650},  {555, 1522.5}};
    ASSERT_EQ(corners.size(), 8u);
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(corners[i], expected[i]) << i;
    EXPECT_EQ(geo::halfHandle(90), 45);
    EXPECT_EQ(geo::halfHandle(75), 38);   // 37.5 to even
    EXPECT_EQ(geo::halfHandle(105), 52);  // 52.5 to even
}

}  // namespace
