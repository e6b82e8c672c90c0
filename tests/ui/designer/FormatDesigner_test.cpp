#define QTEST_QPA_MOUSE_HANDLING

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/Units.h"
#include "designer/ChequeFormatModel.h"
#include "store/ChequeFormatStore.h"
#include "support/Accelerators.h"
#include "support/FormatSamples.h"
#include "support/TestEnv.h"
#include "support/Widgets.h"
#include "ui/designer/FormatDesigner.h"

namespace {

using Answer = Dialogs::Answer;
QString s(const char* text) { return QString::fromUtf8(text); }

class Designer : public testing::Test {
protected:
    TestEnv env;
    std::unique_ptr<FormatDesigner> window;
    void SetUp() override {
        for (const char* code : {"MBB", "ABC"}) {
            ChequeFormat format = distinctFormat(s(code));  // laid out as a new one
            for (int i = 0; i < kFieldCount; ++i) format.fields[i] = ChequeFormat::defaultGeometry(i);
            ChequeFormatStore::insert(env.db(), format);
        }
        (window = std::make_unique<FormatDesigner>(env.context))->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()) && window->load());
    }
    template <class T = QWidget> T* find(const char* name) { return widget<T>(window, name); }
    QLineEdit* box(const char* name) { return find<QLineEdit>(name); }
    QLabel* label(int i) { return find<QLabel>(qPrintable(s("ChequeLabel%1").arg(i))); }
    QWidget* handle(int k) { return find(qPrintable(s("PicHandle%1").arg(k))); }
    FieldLabel& field(int i) { return window->model().labels()[i]; }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    void clickAt(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
    void type(const char* name, const QString& text, bool leave = true) {
        box(name)->setFocus(Qt::MouseFocusReason), box(name)->selectAll();
        QTest::keyClicks(box(name), text.isEmpty() ? s("\b") : text);
        if (leave) QTest::keyClick(box(name), Qt::Key_Tab);
    }
    QString stored(const char* code) {
        return ChequeFormatStore::findByCode(env.db(), s(code)).value_or(ChequeFormat{}).bankName;
    }
    QString states() {
        QString text;
        for (const char* name : {"picCheque", "frameSettings", "cmdSave", "cboBank", "cmdAdd", "cmdEdit", "cmdDelete",
                                 "cmdPrintRuler", "ChequeLabel1"})
            text += s(find(name)->isEnabled() ? "+" : "-");
        return text + find<QPushButton>("cmdAdd")->text() + find<QPushButton>("cmdEdit")->text() +
               s(box("txtBankCode")->isReadOnly() ? " ro" : " rw");
    }
};

// Open, add a format, be refused a stored code, edit one, delete one, and leave.
TEST_F(Designer, AddEditDeleteAndCloseAsAUser) {
    auto* banks = find<QComboBox>("cboBank");
    EXPECT_EQ(banks->itemText(1) + box("txtBankName")->text() + box("txtChequeHeight")->text(),
              s("ABC - Name of ABCName of MBB3.01"));
    EXPECT_EQ(label(2)->geometry(),
              QRect(window->toPixelsX(6240), window->toPixelsY(1800), window->toPixelsX(1695), window->toPixelsY(255)));
    EXPECT_EQ(states(), s("---++++--&Add&Edit ro"));
    click("cmdAdd");
    EXPECT_EQ(states(), s("+++-+-+++&Cancel&Edit rw"));
    EXPECT_EQ(window->focusWidget(), box("txtBankName"));
    type("txtBankName", s("New Bank")), type("txtBankCode", s(" nb 7 ")), type("txtChequeWidth", s("7.1234"));
    EXPECT_EQ(box("txtBankCode")->text() + box("txtChequeWidth")->text(), s("NB77.12"));
    click("cmdSave");
    EXPECT_EQ(banks->currentText(), s("NB7 - New Bank"));
    EXPECT_EQ(ChequeFormatStore::findByCode(env.db(), s("NB7"))->chequeWidth, 7.12 * 1440);
    click("cmdAdd"), type("txtBankName", s("Other")), type("txtBankCode", s("abc")), click("cmdSave");
    EXPECT_EQ(window->focusWidget(), box("txtBankCode"));  // a stored code: still adding
    click("cmdAdd");  // Cancel
    EXPECT_EQ(box("txtBankName")->text(), s("New Bank"));
    banks->setCurrentIndex(1), click("cmdEdit");
    EXPECT_EQ(states(), s("+++--++++&Add&Cancel ro"));
    type("txtBankName", s("Renamed")), click("cmdSave");
    EXPECT_EQ(stored("ABC") + banks->currentText(), s("RenamedABC - Name of ABC"));  // the list keeps its text
    env.dialogs.answer({Answer::Yes}), click("cmdDelete");
    EXPECT_EQ(stored("ABC") + box("txtBankName")->text() + QString::number(banks->count()), s("Name of MBB2"));
    click("cmdAdd"), type("txtBankName", s("Last"));  // leaving asks to save: Cancel or a refused save stay; Yes saves
    env.dialogs.answer({Answer::Cancel, Answer::Yes, Answer::Yes}), click("cmdExit"), click("cmdExit");
    EXPECT_TRUE(window->isVisible());
    type("txtBankCode", s("LST")), window->close();
    EXPECT_EQ(stored("LST") + s(window->isVisible() ? " still shown" : ""), s("Last"));
    const QString save = s("Save before exit?"), noCode = s("No emtpy Bank Code is allowed.");
    EXPECT_EQ(env.dialogs.texts(), (QStringList{s("Bank Code already exist."),
              s("Are you sure you want to delete Bank's cheque details?"), save, save, noCode, save}));
}

// Every button answers its own Alt key, in every mode.
TEST_F(Designer, NoTwoButtonsShareAnAccelerator) {
    for (const char* next : {"cmdAdd", "cmdAdd", "cmdEdit", ""}) {  // browse, adding, ..., editing
        EXPECT_EQ(sharedAccelerators(window.get()), QStringList()) << int(window->mode());
        if (*next) click(next);
    }
    QTest::keyClick(window.get(), Qt::Key_L, Qt::AltModifier), QTest::qWait(200);  // an animated click
    EXPECT_EQ(env.dialogs.modalWindows, std::vector{s("frmChequeLocation")});
}

// A dragged label moves by the travel once released, its handles gone meanwhile; a handle resizes up to the canvas.
TEST_F(Designer, LabelsMoveAndResizeWithTheMouse) {
    click("cmdEdit");
    const FieldLabel before = field(1);
    const QPoint start = label(1)->rect().center();
    QTest::mouseMove(label(1), start), QTest::mousePress(label(1), Qt::LeftButton, {}, start);
    auto shownAfter = [&](QPoint by) { return QTest::mouseMove(label(1), start + by), handle(0)->isVisible(); };
    EXPECT_TRUE(shownAfter({2, 1}) && !shownAfter({12, 6}));
    QTest::mouseMove(label(1), start + QPoint(32, 21));
    EXPECT_EQ(box("txtXLeft")->text(), units::twipsToInchText(before.left + window->toTwipsX(30)));
    EXPECT_EQ(field(1).left, before.left);
    QTest::mouseRelease(label(1), Qt::LeftButton, {}, start + QPoint(32, 21));
    EXPECT_EQ(QPointF(field(1).left, field(1).top),
              QPointF(before.left + window->toTwipsX(30), before.top + window->toTwipsY(20)));
    EXPECT_EQ(label(1)->x(), window->toPixelsX(field(1).left));
    ASSERT_TRUE(handle(4)->isVisible());
    QTest::mousePress(handle(4), Qt::LeftButton, {}, handle(4)->rect().center());
    QTest::mouseMove(find("picCheque"), QPoint(900, 400));
    QTest::mouseRelease(find("picCheque"), Qt::LeftButton, {}, QPoint(900, 400));
    EXPECT_FLOAT_EQ(field(1).left + field(1).width, window->toTwipsX(find("picCheque")->width()));
    EXPECT_TRUE(handle(4)->isVisible());
    click("cmdEdit");  // Cancel
    EXPECT_TRUE(!handle(4)->isVisible() && field(1).left == before.left);
}

// A click on the canvas, a label or a handle first takes the typed inch box; a refused number stops the click.
TEST_F(Designer, ClickTakesTheTypedBoxFirst) {
    const std::tuple<const char*, int, float, int> rows[] = {
        {"1", -1, 1440, 3}, {"1", 4, 1440, 4}, {"1", 101, 1440, 3}, {"-1", 4, 720, 3}, {"-1", -1, 720, 3}};
    click("cmdEdit");
    for (const auto& [typed, target, left, selected] : rows) {
        clickAt(label(3)), type("txtXLeft", s("0.5")), env.dialogs.clear();
        type("txtXLeft", s(typed), false);
        QWidget* at = target < 0 ? find("picCheque") : target < 100 ? label(target) : handle(target - 100);
        const QPoint point = target < 0 ? QPoint(5, 5) : at->rect().center();
        QTest::mousePress(at, Qt::LeftButton, {}, point);
        QTest::mouseRelease(target >= 100 ? find("picCheque") : at, Qt::LeftButton, {},
                            target >= 100 ? at->geometry().center() : point);
        EXPECT_EQ(std::tuple(field(3).left, window->model().selectedField(), env.dialogs.texts().size()),
                  std::tuple(left, selected, qsizetype(left == 720 ? 1 : 0))) << typed << " on " << target;
    }
}

// The location window (Ok applies, Cancel not), the sheets and text set by accessibility use the working copy.
TEST_F(Designer, LocationSheetsAndAssistedTextUseTheWorkingCopy) {
    click("cmdEdit");
    for (const char* closer : {"cmdCancel", "cmdOk"}) {
        env.dialogs.onNextModal([closer](QDialog* d) {  // the turned sheet's right arrow, then the closer
            widget<QPushButton>(d, "cmdRight")->click(), widget<QPushButton>(d, closer)->click(); });
        click("cmdChequeLocation");
        EXPECT_EQ(window->model().chequeLeft(), closer[3] == 'O' ? 16834 - 12240 : -72.5) << closer;
    }
    QAccessible::queryAccessibleInterface(box("txtBankName"))->editableTextInterface()->replaceText(0, 11, s("Aided"));
    QAccessible::queryAccessibleInterface(box("txtChequeWidth"))->editableTextInterface()->replaceText(0, 4, s("7.5"));
    EXPECT_EQ(box("txtChequeWidth")->text(), s("7.50"));
    click("cmdPrintSample"), click("cmdPrintRuler");
    EXPECT_EQ(env.printers.printedTexts().value(0), s("MBB - Name of MBB - Sample Output"));
    EXPECT_EQ(env.printers.documentsEnded, 2);
    EXPECT_EQ(env.printers.callsOf(s("line")).back().x, 7.5 * 1440);
    click("cmdSave");
    EXPECT_EQ(env.dialogs.texts() << stored("MBB"), QStringList{s("Aided")});
}

// The font dialog starts from the field's font; the choice goes to it, or from a date box to every date box.
TEST_F(Designer, FontButtonSetsTheFieldOrEveryDateBox) {
    click("cmdEdit");
    const FontSpec mono{s("Liberation Mono"), 12, true};
    env.dialogs.fontResults = {mono, std::nullopt};
    clickAt(label(2)), click("cmdFontSetting");
    EXPECT_EQ(env.dialogs.fontRequests.at(0), distinctFormat(s("MBB")).fonts[2]);
    EXPECT_EQ(find<QLabel>("lblFont")->text() + find<QLabel>("lblFontSize")->text(), s("Liberation Mono12"));
    EXPECT_TRUE(label(2)->font().bold());
    clickAt(label(7)), click("cmdFontSetting");  // cancelled: the box's own font goes to every date box
    for (int i : {0, 5, 6, 7, 8, 9, 10, 11, 12}) EXPECT_EQ(field(i).font, FontSpec{}) << i;
    EXPECT_EQ(field(2).font, mono);
}

}  // namespace
