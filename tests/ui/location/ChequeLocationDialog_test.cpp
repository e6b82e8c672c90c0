#include <gtest/gtest.h>

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "designer/ChequeFormatModel.h"
#include "core/Units.h"
#include "support/Accelerators.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "ui/location/SpinButton.h"
#include "ui/location/ChequeLocationDialog.h"

namespace {

QString plain(QString text) { return text.remove(QLatin1Char('&')); }

// The shortcut letter of a caption ("&Top" -> 'T').
QChar accelerator(const QString& text) {
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toUpper() : QChar();
}

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

    ChequeLocationDialog& open() {
        window = std::make_unique<ChequeLocationDialog>(env.context, designer);
        window->show();
        return *window;
    }

    template <typename T>
    T* find(const char* name) {
        T* widget = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    void clickArrow(const char* spin, bool upper) {
        auto* sb = find<SpinButton>(spin);
        QTest::mouseClick(upper ? sb->upperArrow() : sb->lowerArrow(), Qt::LeftButton);
    }
    void choose(const char* option) {
        QTest::mouseClick(find<QRadioButton>(option), Qt::LeftButton);
    }
    QString topText() { return find<QLineEdit>("txtTop")->text(); }
    QString leftText() { return find<QLineEdit>("txtLeft")->text(); }
    // The cheque picture's place on the sheet picture, pixels.
    QPoint chequeOnSheet() {
        return find<QWidget>("picCheque")->pos() - find<QWidget>("picPaper")->pos();
    }
};

TEST_F(ChequeLocationDialogTest, ControlsCaptionsAcceleratorsAndTips) {
    open();
    EXPECT_EQ(window->objectName(), QStringLiteral("frmChequeLocation"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvanta - Cheque's location adjustment"));
    EXPECT_EQ(find<QLabel>("lblNotes")->text(),
              QStringLiteral("Please be aware that the coordinate of (0,0) is not the edge of the "
                             "A4 paper due to non-printable area of the printer. The coordinate "
                             "may have negative value in order to print accurately."));
    EXPECT_EQ(find<QLabel>("lblNotes")->parentWidget(), find<QWidget>("picTips"));

    const struct {
        const char* name;
        const char* caption;
        char key;
        const char* tip;
        const char* frame;
    } buttons[] = {{"cmdTop", "Top", 'T', "", "frameLocation2"},
                   {"cmdBottom", "Bottom", 'B', "", "frameLocation2"},
                   {"cmdLeft", "Left", 'L', "", "frameLocation2"},
                   {"cmdRight", "Right", 'R', "", "frameLocation2"},
                   {"cmdHCenter", "HCenter", 'H', "Center holizontally", "frameLocation2"},
                   {"cmdVCenter", "VCenter", 'V', "Center vertically", "frameLocation2"},
                   {"cmdPrintSample", "Print Sample", 'P', "", nullptr},
                   {"cmdOk", "Ok", 'O', "", nullptr},
                   {"cmdCancel", "Cancel", 'C', "", nullptr}};
    for (const auto& b : buttons) {
        auto* button = find<QPushButton>(b.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(plain(button->text()), QString::fromLatin1(b.caption)) << b.name;
        EXPECT_EQ(accelerator(button->text()), QLatin1Char(b.key)) << b.name;
        EXPECT_EQ(button->toolTip(), QString::fromLatin1(b.tip)) << b.name;
        if (b.frame) {
            EXPECT_EQ(button->parentWidget(), find<QWidget>(b.frame)) << b.name;
        }
        EXPECT_TRUE(button->isVisible()) << b.name;
    }
    EXPECT_EQ(sharedAccelerators(window.get()), QStringList());

    EXPECT_EQ(find<QGroupBox>("frameLocation2")->title(), QStringLiteral("Fast click"));
    EXPECT_EQ(find<QGroupBox>("frameLocation")->title(), QStringLiteral("Cheque Location"));
    EXPECT_EQ(find<QGroupBox>("frameOrientation")->title(), QStringLiteral("Orientation"));
    EXPECT_EQ(find<QLabel>("lblTop")->text(), QStringLiteral("Top:"));
    EXPECT_EQ(find<QLabel>("lblLeft")->text(), QStringLiteral("Left:"));
    EXPECT_EQ(find<QRadioButton>("optLandscape")->text(), QStringLiteral("Landscape"));
    EXPECT_EQ(find<QRadioButton>("optPortrait")->text(), QStringLiteral("Portrait"));
    for (const char* name : {"txtTop", "txtLeft", "SBTop", "SBLeft", "lblTop", "lblLeft"})
        EXPECT_EQ(find<QWidget>(name)->parentWidget(), find<QWidget>("frameLocation")) << name;
    EXPECT_TRUE(find<QLineEdit>("txtTop")->isReadOnly());
    EXPECT_TRUE(find<QLineEdit>("txtLeft")->isReadOnly());
    EXPECT_EQ(find<QLabel>("lblA")->text(), QStringLiteral("A"));

    // Typing into the value boxes changes nothing, nor does a screen reader's edit.
    QTest::keyClicks(find<QLineEdit>("txtTop"), QStringLiteral("9"));
    EXPECT_EQ(topText(), QStringLiteral("0.00\""));
    for (const char* name : {"txtTop", "txtLeft"}) {
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(find<QLineEdit>(name));
        ASSERT_TRUE(box && box->editableTextInterface()) << name;
        box->editableTextInterface()->replaceText(0, 4, QStringLiteral("9.99"));
        EXPECT_EQ(find<QLineEdit>(name)->text(), QStringLiteral("0.00\"")) << name;
    }
}

TEST_F(ChequeLocationDialogTest, OpeningShowsTheDesignerValuesOnTheSheetAtOneTenth) {
    designer.setChequeTop(1800);
    designer.setChequeLeft(-43.2);
    designer.setOrientationCode(1);
    open();
    EXPECT_EQ(topText(), QStringLiteral("1.25\""));
    EXPECT_EQ(leftText(), QStringLiteral("-0.03\""));
    EXPECT_TRUE(find<QRadioButton>("optLandscape")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("optPortrait")->isChecked());
    EXPECT_TRUE(find<QLabel>("imgLandscape")->isVisible());
    EXPECT_FALSE(find<QLabel>("imgPortrait")->isVisible());

    // True size: the preview area 2295 x 2055 twips, the sheet 1190.9 x 1683.4 centred.
    const double dx = units::screenDpiX() / 1440.0, dy = units::screenDpiY() / 1440.0;
    const QWidget* preview = find<QWidget>("picPreview");
    EXPECT_EQ(preview->width(), qRound(2295 * dx));
    EXPECT_EQ(preview->height(), qRound(2055 * dy));
    const QRect paper = find<QWidget>("picPaper")->geometry();
    EXPECT_NEAR(paper.width(), 1190.9 * dx, 1.0);
    EXPECT_NEAR(paper.height(), 1683.4 * dy, 1.0);
    EXPECT_NEAR(paper.left(), (2295 - 1190.9) / 2 * dx, 1.0);
    EXPECT_NEAR(paper.top(), (2055 - 1683.4) / 2 * dy, 1.0);

    const QWidget* cheque = find<QWidget>("picCheque");
    EXPECT_NEAR(cheque->width(), 1008 * dx, 1.0);
    EXPECT_NEAR(cheque->height(), 504 * dy, 1.0);
    EXPECT_NEAR(chequeOnSheet().y(), 180 * dy, 1.0);
    EXPECT_NEAR(chequeOnSheet().x(), -4.32 * dx, 1.0);
    const QWidget* letter = find<QWidget>("lblA");
    EXPECT_NEAR(letter->x(), (cheque->width() - letter->width()) / 2.0, 1.0);
    EXPECT_NEAR(letter->y(), (cheque->height() - letter->height()) / 2.0, 1.0);
}

TEST_F(ChequeLocationDialogTest, OpeningTurnedKeepsTheStoredTop) {
    designer.setChequeTop(100);
    designer.setChequeLeft(200);
    designer.setOrientationCode(2);
    open();
    EXPECT_TRUE(find<QRadioButton>("optPortrait")->isChecked());
    EXPECT_DOUBLE_EQ(window->location().top(), 100);
    EXPECT_DOUBLE_EQ(window->location().left(), 200);
    EXPECT_FALSE(find<QLabel>("imgLandscape")->isVisible());
    EXPECT_TRUE(find<QLabel>("imgPortrait")->isVisible());
    const QRect paper = find<QWidget>("picPaper")->geometry();
    EXPECT_GT(paper.width(), paper.height());
}

struct ButtonCase {
    const char* button;
    double top, left;  // expected, NAN: unchanged
    const char* shown;
};

TEST_F(ChequeLocationDialogTest, EveryAlignmentForBothOrientations) {
    const double keep = NAN;
    const struct {
        int code;
        std::vector<ButtonCase> clicks;
    } orientations[] = {
        {1,
         {{"cmdBottom", 16834 - 5040, keep, "8.19\""},
          {"cmdRight", keep, 11909 - 10080, "1.27\""},
          {"cmdHCenter", keep, (11909 - 10080) / 2.0, "0.64\""},
          {"cmdVCenter", (16834 - 5040) / 2.0, keep, "4.10\""},
          {"cmdTop", 0, keep, "0.00\""},
          {"cmdLeft", keep, 0, "0.00\""}}},
        {2,
         {{"cmdBottom", 11909 - 5040, keep, "4.77\""},
          {"cmdRight", keep, 16834 - 10080, "4.69\""},
          {"cmdHCenter", keep, (16834 - 10080) / 2.0, "2.35\""},
          {"cmdVCenter", (11909 - 5040) / 2.0, keep, "2.39\""},
          {"cmdTop", 0, keep, "0.00\""},
          {"cmdLeft", keep, 0, "0.00\""}}},
    };
    for (const auto& o : orientations) {
        SCOPED_TRACE(o.code);
        designer.setOrientationCode(o.code);
        designer.setChequeTop(333);
        designer.setChequeLeft(444);
        open();
        double top = 333, left = 444;
        for (const ButtonCase& c : o.clicks) {
            SCOPED_TRACE(c.button);
            click(c.button);
            if (!std::isnan(c.top)) top = c.top;
            if (!std::isnan(c.left)) left = c.left;
            EXPECT_DOUBLE_EQ(window->location().top(), top);
            EXPECT_DOUBLE_EQ(window->location().left(), left);
            EXPECT_EQ(std::isnan(c.top) ? leftText() : topText(), QString::fromLatin1(c.shown));
            // The picture follows at one tenth.
            const double dx = units::screenDpiX() / 1440.0, dy = units::screenDpiY() / 1440.0;
            EXPECT_NEAR(chequeOnSheet().x(), left / 10 * dx, 1.0);
            EXPECT_NEAR(chequeOnSheet().y(), top / 10 * dy, 1.0);
        }
    }
    // Bottom and Right put the cheque's far corner on the sheet's.
    click("cmdBottom");
    click("cmdRight");
    const QRect paper = find<QWidget>("picPaper")->geometry();
    const QRect cheque = find<QWidget>("picCheque")->geometry();
    EXPECT_EQ(cheque.right(), paper.right());
    EXPECT_EQ(cheque.bottom(), paper.bottom());
}

TEST_F(ChequeLocationDialogTest, SpinArrowsStepAHundredthEachWay) {
    open();
    const int sheetTop = find<QWidget>("picPaper")->y();
    for (int i = 0; i < 3; ++i) clickArrow("SBTop", true);
    EXPECT_DOUBLE_EQ(window->location().top(), -43.2);
    EXPECT_EQ(topText(), QStringLiteral("-0.03\""));
    // A third of a pixel at one tenth; more clicks take it clearly above the sheet.
    EXPECT_LE(find<QWidget>("picCheque")->y(), sheetTop);
    for (int i = 0; i < 15; ++i) clickArrow("SBTop", true);
    EXPECT_DOUBLE_EQ(window->location().top(), -18 * 14.4);
    EXPECT_EQ(topText(), QStringLiteral("-0.18\""));
    EXPECT_LT(find<QWidget>("picCheque")->y(), sheetTop);
    for (int i = 0; i < 16; ++i) clickArrow("SBTop", false);
    EXPECT_NEAR(window->location().top(), -28.8, 1e-9);
    EXPECT_EQ(topText(), QStringLiteral("-0.02\""));

    clickArrow("SBLeft", false);
    clickArrow("SBLeft", false);
    EXPECT_DOUBLE_EQ(window->location().left(), 28.8);
    EXPECT_EQ(leftText(), QStringLiteral("0.02\""));
    clickArrow("SBLeft", true);
    EXPECT_DOUBLE_EQ(window->location().left(), 14.4);
    EXPECT_EQ(leftText(), QStringLiteral("0.01\""));
    EXPECT_NEAR(window->location().top(), -28.8, 1e-9);
}

TEST_F(ChequeLocationDialogTest, SwitchingOrientationMovesTheChequeAndKeepsLeft) {
    designer.setChequeTop(1000);
    designer.setChequeLeft(500);
    designer.setOrientationCode(1);
    open();
    choose("optPortrait");
    EXPECT_TRUE(find<QRadioButton>("optPortrait")->isChecked());
    EXPECT_DOUBLE_EQ(window->location().top(), 11909 - 5040);
    EXPECT_EQ(topText(), QStringLiteral("4.77\""));
    EXPECT_DOUBLE_EQ(window->location().left(), 500);
    EXPECT_TRUE(find<QLabel>("imgPortrait")->isVisible());
    EXPECT_FALSE(find<QLabel>("imgLandscape")->isVisible());
    QRect paper = find<QWidget>("picPaper")->geometry();
    EXPECT_GT(paper.width(), paper.height());
    // The cheque sits at the bottom of the turned sheet.
    EXPECT_NEAR(find<QWidget>("picCheque")->geometry().bottom(), paper.bottom(), 1);

    choose("optLandscape");
    EXPECT_DOUBLE_EQ(window->location().top(), 0);
    EXPECT_EQ(topText(), QStringLiteral("0.00\""));
    EXPECT_DOUBLE_EQ(window->location().left(), 500);
    EXPECT_TRUE(find<QLabel>("imgLandscape")->isVisible());
    paper = find<QWidget>("picPaper")->geometry();
    EXPECT_LT(paper.width(), paper.height());
    EXPECT_EQ(chequeOnSheet().y(), 0);

    // Choosing the option already chosen moves nothing.
    click("cmdVCenter");
    choose("optLandscape");
    EXPECT_DOUBLE_EQ(window->location().top(), (16834 - 5040) / 2.0);
}

TEST_F(ChequeLocationDialogTest, OkHandsTheThreeValuesBack) {
    designer.setChequeTop(10);
    designer.setChequeLeft(20);
    designer.setOrientationCode(1);
    env.dialogs.onNextModal([this](QDialog* dialog) {
        auto* w = static_cast<ChequeLocationDialog*>(dialog);
        QTest::mouseClick(w->findChild<QRadioButton*>(QStringLiteral("optPortrait")),
                          Qt::LeftButton);
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmdHCenter")), Qt::LeftButton);
        auto* sb = w->findChild<SpinButton*>(QStringLiteral("SBTop"));
        QTest::mouseClick(sb->upperArrow(), Qt::LeftButton);
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
    });
    ChequeLocationDialog location(env.context, designer);
    EXPECT_EQ(env.dialogs.showModal(&location), QDialog::Accepted);
    ASSERT_TRUE(location.placement());
    EXPECT_DOUBLE_EQ(location.placement()->top, 11909 - 5040 - 14.4);
    EXPECT_DOUBLE_EQ(location.placement()->left, (16834 - 10080) / 2.0);
    EXPECT_EQ(location.placement()->orientationCode, 2);
    EXPECT_DOUBLE_EQ(designer.chequeTop(), 10);  // the designer applies it, not the window
    EXPECT_EQ(env.dialogs.modalWindows.back(), QStringLiteral("frmChequeLocation"));
}

TEST_F(ChequeLocationDialogTest, CancelAndTheCloseBoxHandNothingBack) {
    const std::function<void(QWidget*)> closers[] = {
        [](QWidget* w) {
            QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                              Qt::LeftButton);
        },
        [](QWidget* w) { w->close(); },
        [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); },
    };
    for (const auto& close : closers) {
        designer.setChequeTop(10);
        designer.setChequeLeft(20);
        designer.setOrientationCode(2);
        env.dialogs.onNextModal([&close](QDialog* dialog) {
            QTest::mouseClick(dialog->findChild<QRadioButton*>(QStringLiteral("optLandscape")),
                              Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdRight")),
                              Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdBottom")),
                              Qt::LeftButton);
            close(dialog);
        });
        ChequeLocationDialog location(env.context, designer);
        EXPECT_EQ(env.dialogs.showModal(&location), QDialog::Rejected);
        EXPECT_FALSE(location.isVisible());
        EXPECT_FALSE(location.placement());
        EXPECT_DOUBLE_EQ(designer.chequeTop(), 10);
        EXPECT_DOUBLE_EQ(designer.chequeLeft(), 20);
        EXPECT_EQ(designer.orientationCode(), 2);
        // The next opening starts again from the designer's values.
        ChequeLocationDialog again(env.context, designer);
        EXPECT_DOUBLE_EQ(again.location().top(), 10);
        EXPECT_EQ(again.location().orientationCode(), 2);
    }
}

TEST_F(ChequeLocationDialogTest, SizesThatAreNoNumbersCountAsZero) {
    designer.setChequeWidthText(QStringLiteral("wide"));
    designer.setChequeHeightText(QString());
    open();
    EXPECT_EQ(find<QWidget>("picCheque")->size(), QSize(0, 0));
    click("cmdBottom");
    click("cmdHCenter");
    EXPECT_DOUBLE_EQ(window->location().top(), 16834);
    EXPECT_DOUBLE_EQ(window->location().left(), 11909 / 2.0);
}

TEST_F(ChequeLocationDialogTest, PrintSampleUsesTheWindowsOffsetsAndOrientation) {
    designer.setPrinterName(QStringLiteral("Cheque-Printer"));
    designer.setChequeTop(5000);
    designer.setChequeLeft(6000);
    designer.setOrientationCode(1);
    const FieldLabel amount = designer.labels()[FieldAmount];
    open();
    choose("optPortrait");  // top: 11909 - 5040
    clickArrow("SBLeft", true);
    click("cmdPrintSample");

    EXPECT_EQ(env.printers.jobSteps(),
              (QStringList{QStringLiteral("makeCurrent1"), QStringLiteral("orientation2"),
                           QStringLiteral("paperA4"), QStringLiteral("end"),
                           QStringLiteral("makeCurrent0")}));
    EXPECT_EQ(env.printers.documentsEnded, 1);
    bool found = false;
    for (const auto& c : env.printers.callsOf(QStringLiteral("text")))
        if (c.text == QStringLiteral("123,456,789.00")) {
            found = true;
            EXPECT_DOUBLE_EQ(c.x, static_cast<float>(amount.left + (6000 - 14.4)));
            EXPECT_DOUBLE_EQ(c.y, static_cast<float>(amount.top + (11909 - 5040)));
        }
    EXPECT_TRUE(found);
    // Printing hands nothing back and leaves the window open.
    EXPECT_DOUBLE_EQ(designer.chequeTop(), 5000);
    EXPECT_EQ(designer.orientationCode(), 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(designer.labels()[FieldAmount].caption, amount.caption);
}

}  // namespace
