#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <memory>

#include "core/Units.h"
#include "designer/ChequeFormatModel.h"
#include "support/Accelerators.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "support/Widgets.h"
#include "ui/location/ChequeLocationDialog.h"
#include "ui/location/SpinButton.h"

// The alignment rules are ChequeLocation's (tests/designer); this is the window's
// path through them: what it shows, what its buttons do, what it hands back.
namespace {

class ChequeLocationDialogTest : public testing::Test {
protected:
    TestEnv env;
    ChequeFormatModel designer{env.context};
    std::unique_ptr<ChequeLocationDialog> window;

    void SetUp() override {
        designer.loadLanguages();
        designer.resetChequeFormat();
        designer.setChequeWidthText(QStringLiteral("7.00"));
        designer.setChequeHeightText(QStringLiteral("3.50"));
        designer.setLanguageName(QStringLiteral("English"));
    }
    void place(double top, double left, int orientation) {
        designer.setChequeTop(top);
        designer.setChequeLeft(left);
        designer.setOrientationCode(orientation);
    }
    static void click(QWidget* window, const char* name) {
        QTest::mouseClick(widget<QAbstractButton>(window, name), Qt::LeftButton);
    }
    static void arrow(QWidget* window, const char* spin, bool upper) {
        auto* sb = widget<SpinButton>(window, spin);
        QTest::mouseClick(upper ? sb->upperArrow() : sb->lowerArrow(), Qt::LeftButton);
    }
    QString text(const char* box) { return widget<QLineEdit>(window, box)->text(); }
    // The cheque picture's place on the sheet picture, in twips (a pixel is 150 at one tenth).
    QPointF chequeOnSheet() {
        const QPoint at = widget<QWidget>(window, "picCheque")->pos() -
                          widget<QWidget>(window, "picPaper")->pos();
        return {at.x() / (units::screenDpiX() / 14400.0), at.y() / (units::screenDpiY() / 14400.0)};
    }
};

TEST_F(ChequeLocationDialogTest, ShowsMovesAndPrintsTheChequeOnTheSheet) {
    place(1800, -43.2, 1);
    designer.setPrinterName(QStringLiteral("Cheque-Printer"));
    window = std::make_unique<ChequeLocationDialog>(env.context, designer);
    window->show();
    EXPECT_EQ(sharedAccelerators(window.get()), QStringList());
    EXPECT_EQ(text("txtTop"), QStringLiteral("1.25\""));
    EXPECT_EQ(text("txtLeft"), QStringLiteral("-0.03\""));
    EXPECT_TRUE(widget<QRadioButton>(window, "optLandscape")->isChecked());
    QTest::keyClicks(widget<QLineEdit>(window, "txtTop"), QStringLiteral("9"));  // read-only
    EXPECT_EQ(text("txtTop"), QStringLiteral("1.25\""));
    const QRect paper = widget<QWidget>(window, "picPaper")->geometry();
    EXPECT_NEAR(paper.height(), 1683.4 * units::screenDpiY() / 1440.0, 1.0);
    EXPECT_NEAR(chequeOnSheet().y(), 1800, 151);

    // Each button and arrow moves the cheque; the boxes and the picture follow.
    const std::tuple<std::function<void()>, double, double, const char*> steps[] = {
        {[&] { click(window.get(), "cmdBottom"); }, 16834 - 5040, -43.2, "8.19\""},
        {[&] { click(window.get(), "cmdRight"); }, 16834 - 5040, 11909 - 10080, "8.19\""},
        {[&] { click(window.get(), "cmdHCenter"); }, 16834 - 5040, (11909 - 10080) / 2.0, "8.19\""},
        {[&] { click(window.get(), "cmdVCenter"); }, (16834 - 5040) / 2.0, (11909 - 10080) / 2.0,
         "4.10\""},
        {[&] { click(window.get(), "cmdTop"); }, 0, (11909 - 10080) / 2.0, "0.00\""},
        {[&] { click(window.get(), "cmdLeft"); }, 0, 0, "0.00\""},
        {[&] { arrow(window.get(), "SBTop", true); }, -14.4, 0, "-0.01\""},
        {[&] { arrow(window.get(), "SBLeft", false); }, -14.4, 14.4, "-0.01\""},
        {[&] { click(window.get(), "optPortrait"); }, 11909 - 5040, 14.4, "4.77\""},
        {[&] { click(window.get(), "optLandscape"); }, 0, 14.4, "0.00\""},
        {[&] { click(window.get(), "optLandscape"); }, 0, 14.4, "0.00\""},  // already chosen
    };
    for (const auto& [step, top, left, shown] : steps) {
        step();
        EXPECT_DOUBLE_EQ(window->location().top(), top) << shown;
        EXPECT_DOUBLE_EQ(window->location().left(), left) << shown;
        EXPECT_EQ(text("txtTop"), QString::fromLatin1(shown));
        EXPECT_NEAR(chequeOnSheet().x(), left, 151);  // a pixel
        EXPECT_NEAR(chequeOnSheet().y(), top, 151);
    }

    // A sample prints at the window's offsets and orientation, and hands nothing back.
    const FieldLabel amount = designer.labels()[FieldAmount];
    click(window.get(), "optPortrait");
    click(window.get(), "cmdPrintSample");
    EXPECT_EQ(env.printers.jobSteps(),
              (QStringList{QStringLiteral("makeCurrent1"), QStringLiteral("orientation2"),
                           QStringLiteral("paperA4"), QStringLiteral("end"),
                           QStringLiteral("makeCurrent0")}));
    int found = 0;
    for (const auto& c : env.printers.callsOf(QStringLiteral("text")))
        if (c.text == QStringLiteral("123,456,789.00") && ++found) {
            EXPECT_FLOAT_EQ(c.x, static_cast<float>(amount.left + 14.4));
            EXPECT_FLOAT_EQ(c.y, static_cast<float>(amount.top + (11909 - 5040)));
        }
    EXPECT_EQ(found, 1);
    EXPECT_DOUBLE_EQ(designer.chequeTop(), 1800);
    EXPECT_TRUE(window->isVisible());
}

// Ok hands the three values back for the designer to apply; Cancel, the close
// box and Escape hand nothing back.
TEST_F(ChequeLocationDialogTest, OkHandsTheValuesBackAndTheOtherWaysOutNothing) {
    const std::pair<std::function<void(QWidget*)>, bool> closers[] = {
        {[](QWidget* w) { click(w, "cmdOk"); }, true},
        {[](QWidget* w) { click(w, "cmdCancel"); }, false},
        {[](QWidget* w) { w->close(); }, false},
        {[](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }, false},
    };
    for (const auto& [close, accepted] : closers) {
        place(10, 20, 1);
        env.dialogs.onNextModal([&close](QDialog* dialog) {
            click(dialog, "optPortrait");
            click(dialog, "cmdHCenter");
            arrow(dialog, "SBTop", true);
            close(dialog);
        });
        ChequeLocationDialog location(env.context, designer);
        EXPECT_EQ(env.dialogs.showModal(&location) == QDialog::Accepted, accepted);
        EXPECT_EQ(location.placement().has_value(), accepted);
        if (accepted) {
            EXPECT_DOUBLE_EQ(location.placement()->top, 11909 - 5040 - 14.4);
            EXPECT_DOUBLE_EQ(location.placement()->left, (16834 - 10080) / 2.0);
            EXPECT_EQ(location.placement()->orientationCode, 2);
        }
        EXPECT_DOUBLE_EQ(designer.chequeTop(), 10);  // the designer applies it, not the window
        EXPECT_EQ(designer.orientationCode(), 1);
    }
}

}  // namespace
