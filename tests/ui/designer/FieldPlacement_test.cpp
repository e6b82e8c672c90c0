// Mouse events go through the window system layer, so Qt picks the receiver as
// for a real pointer (the pressed widget, a widget holding the mouse).
#define QTEST_QPA_MOUSE_HANDLING

#include <gtest/gtest.h>

#include <QGroupBox>

#include "DesignerFixture.h"
#include "core/Units.h"
#include "designer/FieldDrag.h"
#include "ui/designer/PicturePane.h"

namespace {

class Placement {
public:
    Placement() : f({{"MBB", "Maybank Berhad"}}) {
        f.click("cmdEdit");
        canvas = f.find<QWidget>("picCheque");
    }

    QLabel* label(int i) {
        return f.find<QLabel>(QStringLiteral("ChequeLabel%1").arg(i).toLatin1().constData());
    }
    QWidget* handle(int k) {
        return f.find<QWidget>(QStringLiteral("PicHandle%1").arg(k).toLatin1().constData());
    }
    FieldLabel& field(int i) { return f.model().labels()[i]; }
    double tx(int pixels) { return f.window().toTwipsX(pixels); }
    double ty(int pixels) { return f.window().toTwipsY(pixels); }
    // The pixel of the canvas nearest to a point given in twips.
    QPoint at(double x, double y) { return {f.window().toPixelsX(x), f.window().toPixelsY(y)}; }
    bool handlesShown() {
        int shown = 0;
        for (int k = 0; k < 8; ++k) shown += handle(k)->isVisible() ? 1 : 0;
        EXPECT_TRUE(shown == 0 || shown == 8) << shown;
        return shown == 8;
    }
    QString panel(const char* box) { return f.box(box)->text(); }

    // A pointer resting over a widget (no button), as between two drags.
    void hover(QWidget* w) { QTest::mouseMove(w, w->rect().center()); }

    void select(int i) {
        hover(label(i));
        QTest::mousePress(label(i), Qt::LeftButton, {}, label(i)->rect().center());
        QTest::mouseRelease(label(i), Qt::LeftButton, {}, label(i)->rect().center());
    }

    DesignerFixture f;
    QWidget* canvas = nullptr;
};

TEST(FieldPlacement, PressWithoutMoveOnlySelects) {
    Placement p;
    const QRect before = p.label(2)->geometry();
    const FieldLabel original = p.field(2);
    EXPECT_FALSE(p.handlesShown());
    p.select(2);
    EXPECT_EQ(p.f.model().selectedField(), 2);
    EXPECT_EQ(p.f.find<QGroupBox>("frameSettings")->title(),
              QStringLiteral("Field Amount Settings"));
    EXPECT_EQ(p.panel("txtXLeft"), units::twipsToInchText(original.left));
    EXPECT_EQ(p.panel("txtYTop"), units::twipsToInchText(original.top));
    EXPECT_EQ(p.panel("txtWidth"), units::twipsToInchText(original.width));
    EXPECT_EQ(p.label(2)->geometry(), before);
    EXPECT_EQ(p.field(2).left, original.left);
    EXPECT_EQ(p.field(2).top, original.top);
    EXPECT_TRUE(p.handlesShown());
    EXPECT_FALSE(p.f.find<QWidget>("DragBox")->isVisible());
    // The handles sit on the label's outline, clockwise from the top-left corner.
    const int h = p.handle(0)->height();
    const QRect r = p.label(2)->geometry();
    EXPECT_NEAR(p.handle(0)->x(), r.left() - h / 2, 1);
    EXPECT_NEAR(p.handle(0)->y(), r.top() - h / 2, 1);
    EXPECT_NEAR(p.handle(4)->x(), r.left() + r.width() - h / 2, 1);
    EXPECT_NEAR(p.handle(4)->y(), r.top() + r.height() - h / 2, 1);
    EXPECT_NEAR(p.handle(5)->x(), r.left() + r.width() / 2 - h / 2, 1);
    EXPECT_EQ(p.handle(0)->cursor().shape(), Qt::SizeFDiagCursor);
    EXPECT_EQ(p.handle(1)->cursor().shape(), Qt::SizeVerCursor);
    EXPECT_EQ(p.handle(2)->cursor().shape(), Qt::SizeBDiagCursor);
    EXPECT_EQ(p.handle(7)->cursor().shape(), Qt::SizeHorCursor);
    EXPECT_EQ(h, p.f.window().toPixelsY(85));
}

TEST(FieldPlacement, DragMovesByThePointersTravel) {
    Placement p;
    const FieldLabel original = p.field(1);
    QLabel* label = p.label(1);
    const QPoint start = label->rect().center();
    p.hover(label);
    QTest::mousePress(label, Qt::LeftButton, {}, start);
    // The first move notes the start point: the travel counts from there.
    QTest::mouseMove(label, start + QPoint(2, 1));
    EXPECT_TRUE(p.handlesShown());
    QTest::mouseMove(label, start + QPoint(12, 6));
    EXPECT_FALSE(p.handlesShown());  // hidden from the second move on
    QTest::mouseMove(label, start + QPoint(32, 21));
    auto* box = p.f.find<QWidget>("DragBox");
    EXPECT_TRUE(box->isVisible());
    const double left = original.left + p.tx(30), top = original.top + p.ty(20);
    // The boxes follow the rubber band live; the width box keeps the width.
    EXPECT_EQ(p.panel("txtXLeft"), units::twipsToInchText(left));
    EXPECT_EQ(p.panel("txtYTop"), units::twipsToInchText(top));
    EXPECT_EQ(p.panel("txtWidth"), units::twipsToInchText(original.width));
    EXPECT_EQ(p.field(1).left, original.left);  // the label waits for the release
    QTest::mouseRelease(label, Qt::LeftButton, {}, start + QPoint(32, 21));
    EXPECT_FALSE(box->isVisible());
    EXPECT_FLOAT_EQ(p.field(1).left, static_cast<float>(left));
    EXPECT_FLOAT_EQ(p.field(1).top, static_cast<float>(top));
    EXPECT_EQ(p.field(1).width, original.width);
    EXPECT_EQ(label->x(), p.f.window().toPixelsX(left));
    EXPECT_TRUE(p.handlesShown());

    // Saved and opened again: the same place.
    p.f.click("cmdSave");
    p.f.open();
    EXPECT_FLOAT_EQ(p.f.model().labels()[1].left, static_cast<float>(left));
    EXPECT_FLOAT_EQ(p.f.model().labels()[1].top, static_cast<float>(top));
}

TEST(FieldPlacement, DragStopsAtTheTopAndLeftOnly) {
    Placement p;
    QLabel* label = p.label(2);
    const float originalLeft = p.field(2).left;
    const QPoint start = label->rect().center();
    p.hover(label);
    QTest::mousePress(label, Qt::LeftButton, {}, start);
    QTest::mouseMove(label, start + QPoint(1, 1));
    QTest::mouseMove(label, start + QPoint(301, -399));
    EXPECT_EQ(p.panel("txtYTop"), QStringLiteral("0.00"));
    QTest::mouseRelease(label, Qt::LeftButton, {}, start + QPoint(301, -399));
    EXPECT_EQ(p.field(2).top, 0.0f);
    EXPECT_FLOAT_EQ(p.field(2).left, static_cast<float>(originalLeft + p.tx(300)));
    EXPECT_GT(p.field(2).left, 10455.0f);  // past the right edge

    label = p.label(3);
    const float topBefore = p.field(3).top;
    p.hover(label);
    QTest::mousePress(label, Qt::LeftButton, {}, start);
    QTest::mouseMove(label, start + QPoint(1, 1));
    QTest::mouseMove(label, start + QPoint(-1999, 1));
    QTest::mouseRelease(label, Qt::LeftButton, {}, start + QPoint(-1999, 1));
    EXPECT_EQ(p.field(3).left, 0.0f);
    EXPECT_EQ(p.field(3).top, topBefore);
}

// The resize rule is FieldDrag's (tests/designer): here each handle reaches it
// with the pointer's place in twips, and the boxes and the field follow.
TEST(FieldPlacement, HandlesResizeTheirEdges) {
    const std::pair<int, QPoint> cases[] = {{0, {20, 80}},  {2, {400, 80}}, {3, {10, 100}},
                                            {5, {200, 50}}, {6, {20, 130}}, {4, {900, 400}}};
    for (const auto& [handle, pointer] : cases) {
        SCOPED_TRACE(handle);
        Placement p;
        p.select(1);
        const FieldLabel before = p.field(1);
        QWidget* grip = p.handle(handle);
        QTest::mousePress(grip, Qt::LeftButton, {}, grip->rect().center());
        EXPECT_FALSE(p.handlesShown());
        QTest::mouseMove(p.canvas, pointer);
        FieldDrag rule;
        rule.pressHandle(before);
        rule.moveOverHandle(FieldDrag::Buttons::LeftOnly, handle, 0, 0, p.tx(pointer.x()),
                            p.ty(pointer.y()), before, p.tx(p.canvas->width()),
                            p.ty(p.canvas->height()));
        const FieldDrag::Box want = rule.box();
        EXPECT_EQ(p.panel("txtXLeft"), units::twipsToInchText(want.left));
        EXPECT_EQ(p.panel("txtYTop"), units::twipsToInchText(want.top));
        EXPECT_EQ(p.panel("txtWidth"), units::twipsToInchText(want.width));
        QTest::mouseRelease(p.canvas, Qt::LeftButton, {}, pointer);
        EXPECT_EQ(
            (FieldDrag::Box{p.field(1).left, p.field(1).top, p.field(1).width, p.field(1).height}),
            want);
        EXPECT_TRUE(p.handlesShown());
        EXPECT_FALSE(p.f.find<QWidget>("DragBox")->isVisible());
    }
}

TEST(FieldPlacement, ResizeStartsFromTypedValues) {
    Placement p;
    p.select(3);
    p.f.type("txtXLeft", QStringLiteral("1.5"));
    EXPECT_EQ(p.field(3).left, 2160.0f);
    QWidget* top = p.handle(1);
    QTest::mousePress(top, Qt::LeftButton, {}, top->rect().center());
    QTest::mouseMove(p.canvas, QPoint(200, 100));
    QTest::mouseRelease(p.canvas, Qt::LeftButton, {}, QPoint(200, 100));
    EXPECT_EQ(p.field(3).left, 2160.0f);  // not the left it had when pressed
    EXPECT_FLOAT_EQ(p.field(3).top, static_cast<float>(p.ty(100)));
}

TEST(FieldPlacement, BareCanvasClickHidesTheHandles) {
    Placement p;
    p.select(4);
    ASSERT_TRUE(p.handlesShown());
    QTest::mouseClick(p.canvas, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(p.handlesShown());
    EXPECT_EQ(p.f.model().selectedField(), 4);
}

// A click on the canvas, a label or a handle first runs the rule of the box
// still being typed in, as leaving it would; a refused number stops the click.
TEST(FieldPlacement, ClickTakesTheTypedBoxFirst) {
    struct Case {
        const char* typed;
        int target;  // -1 the bare canvas, 0..12 a label, 100 + k handle k
        float left;  // of field 3 afterwards
        int selected;
        const char* panel;  // txtXLeft afterwards
    };
    const Case cases[] = {
        {"1", -1, 1440.0f, 3, "1.00"},  {"1", 4, 1440.0f, 4, nullptr},
        {"1", 101, 1440.0f, 3, "1.00"}, {"-1", 4, -1.0f, 3, "-1"},
        {"-1", -1, -1.0f, 3, "-1"},
    };
    for (const auto& c : cases) {
        Placement p;
        p.select(3);
        const float before = p.field(3).left;
        p.f.type("txtXLeft", QString::fromLatin1(c.typed), false);
        QWidget* target = c.target < 0     ? p.canvas
                          : c.target < 100 ? static_cast<QWidget*>(p.label(c.target))
                                           : p.handle(c.target - 100);
        const QPoint point = c.target < 0 ? QPoint(5, 5) : target->rect().center();
        QTest::mousePress(target, Qt::LeftButton, {}, point);
        QTest::mouseRelease(c.target >= 100 ? p.canvas : target, Qt::LeftButton, {},
                            c.target >= 100 ? target->geometry().center() : point);
        const std::string what = std::string(c.typed) + " on " + std::to_string(c.target);
        EXPECT_EQ(p.field(3).left, c.left < 0 ? before : c.left) << what;
        EXPECT_EQ(p.f.model().selectedField(), c.selected) << what;
        if (c.panel) {
            EXPECT_EQ(p.panel("txtXLeft"), QString::fromLatin1(c.panel)) << what;
        }
        EXPECT_EQ(p.f.messageTexts().size(), c.left < 0 ? 1 : 0) << what;
        if (c.left < 0) {
            EXPECT_TRUE(p.handlesShown()) << what;
        }
    }
}

// However browse mode starts, the handles go.
TEST(FieldPlacement, BrowseModeHidesTheHandles) {
    for (const auto& [start, end] : {std::pair{"cmdAdd", "cmdSave"},
                                     {"cmdAdd", "cmdAdd"},
                                     {"cmdEdit", "cmdSave"},
                                     {"cmdEdit", "cmdEdit"}}) {
        Placement p;
        p.f.click("cmdEdit");  // back to browse
        p.f.click(start);
        p.f.type("txtBankName", QStringLiteral("Handle Bank"));
        p.f.type("txtBankCode", QStringLiteral("HB"));
        p.select(2);
        ASSERT_TRUE(p.handlesShown()) << start;
        p.f.click(end);
        const std::string what = std::string(start) + " then " + end;
        EXPECT_EQ(p.f.window().mode(), DesignerMode::Browse) << what;
        EXPECT_FALSE(p.handlesShown()) << what;
    }
}

TEST(FieldPlacement, NothingHappensInBrowseMode) {
    Placement p;
    p.f.click("cmdEdit");  // back to browse
    const FieldLabel before = p.field(2);
    QLabel* label = p.label(2);
    QTest::mousePress(label, Qt::LeftButton, {}, label->rect().center());
    QTest::mouseMove(label, label->rect().center() + QPoint(1, 1));
    QTest::mouseMove(label, label->rect().center() + QPoint(40, 40));
    QTest::mouseRelease(label, Qt::LeftButton, {}, label->rect().center() + QPoint(40, 40));
    EXPECT_EQ(p.field(2).left, before.left);
    EXPECT_EQ(p.f.model().selectedField(), 0);
    EXPECT_FALSE(p.handlesShown());
}

TEST(FieldPlacement, FontDialogForAWordFieldADateFieldAndCancel) {
    Placement p;
    auto& dialogs = p.f.dialogs();
    const FontSpec chosen{QStringLiteral("Liberation Mono"), 12, true};

    p.select(2);
    const FontSpec amountBefore = p.field(2).font;
    const FontSpec recipientBefore = p.field(1).font;
    dialogs.fontResults.push_back(chosen);
    p.f.click("cmdFontSetting");
    ASSERT_EQ(dialogs.fontRequests.size(), 1u);
    EXPECT_EQ(dialogs.fontRequests[0], amountBefore);
    EXPECT_TRUE(dialogs.fontOptions[0].printerFontsOnly);
    EXPECT_EQ(dialogs.fontOptions[0].minSize, 8);
    EXPECT_EQ(dialogs.fontOptions[0].maxSize, 80);
    EXPECT_EQ(p.field(2).font, chosen);
    EXPECT_EQ(p.field(1).font, recipientBefore);
    EXPECT_EQ(p.f.find<QLabel>("lblFont")->text(), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(p.f.find<QLabel>("lblFontSize")->text(), QStringLiteral("12"));
    EXPECT_EQ(p.f.find<QLabel>("lblFontStyle")->text(), QStringLiteral("Bold"));
    EXPECT_EQ(p.label(2)->font().family(), QStringLiteral("Liberation Mono"));
    EXPECT_TRUE(p.label(2)->font().bold());

    // A digit box gives the font to the date field and all eight boxes.
    p.f.list("cboDateType")->setCurrentIndex(2);
    p.select(7);
    dialogs.fontResults.push_back(FontSpec{QStringLiteral("Liberation Sans"), 9.5f, false});
    p.f.click("cmdFontSetting");
    for (int i : {0, 5, 6, 7, 8, 9, 10, 11, 12})
        EXPECT_EQ(p.field(i).font, (FontSpec{QStringLiteral("Liberation Sans"), 9.5f, false})) << i;
    EXPECT_EQ(p.field(2).font, chosen);
    EXPECT_EQ(p.f.find<QLabel>("lblFontSize")->text(), QStringLiteral("9.5"));
    EXPECT_EQ(p.f.find<QGroupBox>("frameSettings")->title(), QStringLiteral("Field Date Settings"));

    // Cancel gives the starting font back: for a date field to all of them.
    p.field(9).font = FontSpec{QStringLiteral("Liberation Serif"), 20, true};
    p.select(9);
    p.f.click("cmdFontSetting");  // nothing scripted: cancelled
    EXPECT_EQ(dialogs.fontRequests.back(),
              (FontSpec{QStringLiteral("Liberation Serif"), 20, true}));
    for (int i : {0, 5, 6, 7, 8, 9, 10, 11, 12})
        EXPECT_EQ(p.field(i).font, (FontSpec{QStringLiteral("Liberation Serif"), 20, true})) << i;

    // Saved: the date font and the digit boxes' font from label 5.
    p.f.click("cmdSave");
    const auto row = ChequeFormatStore::findByCode(p.f.db(), QStringLiteral("MBB"));
    EXPECT_EQ(row->fonts[2], chosen);
    EXPECT_EQ(row->sdateFont, (FontSpec{QStringLiteral("Liberation Serif"), 20, true}));
    EXPECT_EQ(row->fonts[0], (FontSpec{QStringLiteral("Liberation Serif"), 20, true}));
}

}  // namespace
