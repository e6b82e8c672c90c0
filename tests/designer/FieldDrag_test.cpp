#include <gtest/gtest.h>

#include "designer/FieldDrag.h"

namespace {

using Buttons = FieldDrag::Buttons;

FieldLabel labelAt(float left, float top, float width, float height) {
    FieldLabel label;
    label.left = left;
    label.top = top;
    label.width = width;
    label.height = height;
    return label;
}

TEST(FieldDrag, DraggingFlagAndStartPoint) {
    FieldDrag drag;
    FieldLabel label = labelAt(1000, 500, 300, 200);
    drag.pressLabel(label);
    bool hide = true;
    EXPECT_TRUE(drag.moveOverLabel(Buttons::LeftOnly, 40, 30, label, &hide));
    EXPECT_FALSE(hide);
    EXPECT_TRUE(drag.dragging());
    EXPECT_EQ(drag.box(), (FieldDrag::Box{1000, 500, 300, 200}));
    EXPECT_TRUE(drag.moveOverLabel(Buttons::LeftOnly, 100, 10, label, &hide));
    EXPECT_TRUE(hide);
    EXPECT_EQ(drag.box(), (FieldDrag::Box{1060, 480, 300, 200}));
    drag.dropOn(label);
    EXPECT_FALSE(drag.boxVisible());
    EXPECT_EQ(label.left, 1060.0f);
    EXPECT_EQ(label.top, 480.0f);
    EXPECT_EQ(label.width, 300.0f);

    // Neither the release nor the next press clears the flag; a move with no
    // button does. Other buttons change nothing.
    EXPECT_TRUE(drag.dragging());
    drag.pressLabel(label);
    EXPECT_TRUE(drag.dragging());
    EXPECT_FALSE(drag.moveOverLabel(Buttons::Other, 500, 500, label, &hide));
    EXPECT_TRUE(drag.dragging());
    EXPECT_EQ(drag.box(), (FieldDrag::Box{1060, 480, 300, 200}));
    EXPECT_FALSE(drag.moveOverLabel(Buttons::None, 0, 0, label, &hide));
    EXPECT_FALSE(drag.dragging());
    // A move with no button over a handle clears it too.
    drag.moveOverLabel(Buttons::LeftOnly, 1, 1, label);
    drag.moveOverHandle(Buttons::None, 3, 0, 0, 0, 0, label, 10455, 3855);
    EXPECT_FALSE(drag.dragging());
}

TEST(FieldDrag, EdgesAndFlips) {
    const FieldLabel label = labelAt(1000, 500, 300, 200);  // right 1300, bottom 700
    struct Case {
        int handle;
        double px, py;
        FieldDrag::Box box;
    };
    const Case cases[] = {
        {0, 900, 450, {900, 450, 400, 250}},
        {2, 1400, 450, {1000, 450, 400, 250}},
        {1, 5000, 600, {1000, 600, 300, 100}},
        {1, 5000, 700, {1000, 700, 300, 0}},        // extent 0: flipped, empty
        {1, 5000, 699.5, {1000, 699.5, 300, 0.5}},  // vertical test unrounded
        {5, 5000, 800, {1000, 500, 300, 300}},
        {5, 5000, 400, {1000, 400, 300, 100}},  // flipped above the top
        {3, 1400, 0, {1000, 500, 400, 200}},
        {3, 1000.5, 0, {1000.5, 500, -0.5, 200}},   // 0.5 rounds to 0: flipped
        {3, 1001.5, 0, {1000, 500, 1.5, 200}},      // 1.5 rounds to 2
        {7, 1299.5, 0, {1300, 500, -0.5, 200}},     // extent 0.5 rounds to 0
        {7, 1500, 0, {1300, 500, 200, 200}},        // past the right edge
        {4, 20000, 9000, {1000, 500, 9455, 3355}},  // held at the canvas edge
        {6, -100, -100, {0, 0, 1300, 500}},
    };
    for (const Case& c : cases) {
        FieldDrag drag;
        drag.pressHandle(label);
        EXPECT_TRUE(
            drag.moveOverHandle(Buttons::LeftOnly, c.handle, 0, 0, c.px, c.py, label, 10455, 3855));
        EXPECT_TRUE(drag.boxVisible());
        const auto& b = drag.box();
        EXPECT_EQ(b, c.box) << c.handle << " " << c.px << "," << c.py << " -> " << b.left << " "
                            << b.top << " " << b.width << " " << b.height;
        FieldLabel released = label;
        drag.releaseOnHandle(released);
        EXPECT_EQ(released.left, c.box.left);
        EXPECT_EQ(released.height, c.box.height);
        EXPECT_FALSE(drag.boxVisible());
    }
}

}  // namespace
