#include <gtest/gtest.h>

#include <QLineEdit>
#include <QToolButton>

#include "core/Units.h"
#include "designer/ChequeFormatModel.h"
#include "support/Accelerators.h"
#include "support/TestEnv.h"
#include "support/Widgets.h"
#include "ui/location/ChequeLocationDialog.h"
#include "ui/location/SpinButton.h"

namespace {

// The rules are ChequeLocation's; here the boxes and the picture (a tenth of true size)
// follow the buttons, a sample prints at the window's offsets, Ok alone hands them back.
TEST(ChequeLocationDialog, MovesPrintsAndHandsThePlacementBackOnOk) {
    TestEnv env;
    ChequeFormatModel designer{env.context};
    designer.loadLanguages();
    designer.resetChequeFormat();
    designer.setChequeWidthText(QStringLiteral("7.00"));
    designer.setChequeHeightText(QStringLiteral("3.50"));
    designer.setChequeTop(1800);
    for (const char* closer : {"cmdCancel", "cmdOk"}) {
        env.dialogs.onNextModal([&](QDialog* w) {
            auto click = [w](const char* name) { widget<QAbstractButton>(w, name)->click(); };
            EXPECT_EQ(sharedAccelerators(w), QStringList());
            EXPECT_EQ(widget<QLineEdit>(w, "txtTop")->text(), QStringLiteral("1.25\""));
            click("cmdRight");
            click("optPortrait");  // to the bottom of the turned sheet
            widget<SpinButton>(w, "SBTop")->upperArrow()->click();
            EXPECT_EQ(widget<QLineEdit>(w, "txtTop")->text(), QStringLiteral("4.76\""));
            const QPoint at = widget<QWidget>(w, "picCheque")->pos() -
                              widget<QWidget>(w, "picPaper")->pos();
            EXPECT_NEAR(at.x(), 1829 * units::screenDpiX() / 14400.0, 1);
            EXPECT_NEAR(at.y(), 6854.6 * units::screenDpiY() / 14400.0, 1);
            click("cmdPrintSample");
            const auto amount = env.printers.callsOf(QStringLiteral("text")).at(2);
            EXPECT_FLOAT_EQ(amount.x, designer.labels()[FieldAmount].left + 1829.0f);
            EXPECT_FLOAT_EQ(amount.y, designer.labels()[FieldAmount].top + 6854.6f);
            click(closer);
        });
        ChequeLocationDialog window(env.context, designer);
        env.dialogs.showModal(&window);
        EXPECT_DOUBLE_EQ(window.placement().value_or(ChequePlacement{}).top,
                         closer[3] == 'O' ? 6854.6 : 0);
        EXPECT_DOUBLE_EQ(designer.chequeTop(), 1800);  // the designer applies it, not the window
    }
}

}  // namespace
