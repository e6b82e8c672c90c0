#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QImage>

#include "DesignerFixture.h"
#include "support/Accelerators.h"
#include "support/Widgets.h"
#include "ui/designer/PicturePane.h"
#include "ui/main/MainWindow.h"

namespace {

using Answer = Dialogs::Answer;

const std::initializer_list<std::pair<const char*, const char*>> kThree = {
    {"MBB", "Maybank Berhad"}, {"ABC", "Alpha Bank"}, {"CIMB", "CIMB \"Islamic\" Bank"}};

// Enabled state of every control the modes govern, as one comparable text.
QString enabledStates(DesignerFixture& f) {
    QStringList parts;
    for (const char* name :
         {"picCheque", "frameBank", "frameSettings", "framePrintSet", "cmdSave", "cboBank",
          "cmdAdd", "cmdEdit", "cmdDelete", "txtBankName", "cmdChequeLocation", "cmdPrintSample",
          "cmdPrintRuler", "cmdFontSetting", "ChequeLabel1"}) {
        QWidget* w = f.find<QWidget>(name);
        parts << QString::fromLatin1(name) +
                     (w && w->isEnabled() ? QStringLiteral("+") : QStringLiteral("-"));
    }
    parts << f.button("cmdAdd")->text() << f.button("cmdEdit")->text()
          << (f.box("txtBankCode")->isReadOnly() ? QStringLiteral("code ro")
                                                 : QStringLiteral("code rw"));
    return parts.join(QLatin1Char(' '));
}

const char* const kBrowse =
    "picCheque- frameBank- frameSettings- framePrintSet- cmdSave- cboBank+ cmdAdd+ cmdEdit+ "
    "cmdDelete+ txtBankName- cmdChequeLocation- cmdPrintSample- cmdPrintRuler- cmdFontSetting- "
    "ChequeLabel1- &Add &Edit code ro";
const char* const kAdding =
    "picCheque+ frameBank+ frameSettings+ framePrintSet+ cmdSave+ cboBank- cmdAdd+ cmdEdit- "
    "cmdDelete+ txtBankName+ cmdChequeLocation+ cmdPrintSample+ cmdPrintRuler+ cmdFontSetting+ "
    "ChequeLabel1+ &Cancel &Edit code rw";
const char* const kEditing =
    "picCheque+ frameBank+ frameSettings+ framePrintSet+ cmdSave+ cboBank- cmdAdd- cmdEdit+ "
    "cmdDelete+ txtBankName+ cmdChequeLocation+ cmdPrintSample+ cmdPrintRuler+ cmdFontSetting+ "
    "ChequeLabel1+ &Add &Cancel code ro";

QString stored(DesignerFixture& f, const char* code, const char* column) {
    const auto format = ChequeFormatStore::findByCode(f.db(), QString::fromLatin1(code));
    if (!format) return QStringLiteral("<none>");
    if (QByteArray(column) == "BankName") return format->bankName;
    if (QByteArray(column) == "ChequeWidth") return QString::number(format->chequeWidth);
    return {};
}

TEST(FormatDesigner, CanvasAndRulersAtTrueSize) {
    DesignerFixture f;
    auto& w = f.window();
    auto* canvas = f.find<PicturePane>("picCheque");
    auto* hRuler = f.find<PicturePane>("picHRuler");
    auto* vRuler = f.find<PicturePane>("picVRuler");
    EXPECT_EQ(canvas->size(), QSize(w.toPixelsX(10455), w.toPixelsY(3855)));
    EXPECT_EQ(hRuler->width(), canvas->width());
    EXPECT_EQ(vRuler->height(), canvas->height());
    EXPECT_EQ(hRuler->height(), w.toPixelsY(375));
    // Ruler 0 is canvas 0 on both axes.
    EXPECT_EQ(hRuler->x(), canvas->x());
    EXPECT_EQ(vRuler->y(), canvas->y());
    // Each ruler reaches the canvas's edge (the window places them 15 twips over it).
    EXPECT_GE(hRuler->geometry().bottom() + 1, canvas->y());
    EXPECT_LE(hRuler->geometry().bottom(), canvas->y() + 1);
    EXPECT_GE(vRuler->geometry().right() + 1, canvas->x());
    EXPECT_LE(vRuler->geometry().right(), canvas->x() + 1);
    // A field at Left 2880 stands two inches from the canvas's edge.
    f.model().labels()[FieldRecipient].left = 2880;
    f.model().resetChequeFormat();
    EXPECT_EQ(f.find<QLabel>("ChequeLabel1")->x(), w.toPixelsX(600));
    EXPECT_EQ(f.find<QLabel>("ChequeLabel3")->geometry(),
              QRect(w.toPixelsX(720), w.toPixelsY(1920), w.toPixelsX(5295), w.toPixelsY(255)));
}

// Checks what was drawn into the rulers' and the canvas's kept images.
TEST(FormatDesigner, RulersAndGridAsDrawn) {
    DesignerFixture f;
    auto& w = f.window();
    const QImage h = f.find<PicturePane>("picHRuler")->image();
    const QImage v = f.find<PicturePane>("picVRuler")->image();
    const QImage c = f.find<PicturePane>("picCheque")->image();
    const QRgb background = qRgb(224, 224, 224);
    auto dark = [](QRgb p) { return qGray(p) < 100; };
    // The top row of the ink that rises from the bottom edge in column x.
    auto firstInk = [&](const QImage& img, int x) {
        int y = img.height() - 1;
        while (y >= 0 && dark(img.pixel(x, y))) --y;
        return y + 1;
    };
    const int height = h.height();
    struct Tick {
        double at;
        double top;  // where the tick begins, twips from the top
    };
    const Tick ticks[] = {
        {72, 328.125}, {360, 281.25}, {720, 187.5}, {1080, 281.25}, {2952, 328.125}};
    for (const Tick& t : ticks) {
        const int x = w.toPixelsX(t.at);
        EXPECT_NEAR(firstInk(h, x), w.toPixelsY(t.top), 1) << t.at;
        EXPECT_TRUE(dark(h.pixel(x, height - 1))) << t.at;  // every tick reaches the bottom
    }
    // Nothing at 0 nor between ticks.
    EXPECT_EQ(h.pixel(w.toPixelsX(36), height - 1), background);
    // Inch lines are full height (their numbers and the geometry: DesignerGeometry's tests).
    for (int inch = 1; inch <= 7; ++inch)
        EXPECT_EQ(firstInk(h, w.toPixelsX(1440.0 * inch)), 0) << inch;

    // The vertical ruler: ticks grow from the right edge.
    const int width = v.width();
    auto firstInkRow = [&](int y) {
        int x = width - 1;
        while (x >= 0 && dark(v.pixel(x, y))) --x;
        return x + 1;
    };
    EXPECT_NEAR(firstInkRow(w.toPixelsY(720)), w.toPixelsX(187.5), 1);
    EXPECT_EQ(firstInkRow(w.toPixelsY(1440)), 0);

    // The grid: light grey every quarter inch, pale yellow between.
    const QRgb grid = qRgb(192, 192, 192), paper = qRgb(255, 255, 192);
    for (int k = 1; k * 360 < 10455; ++k)
        EXPECT_EQ(c.pixel(w.toPixelsX(360.0 * k), w.toPixelsY(180)), grid) << k;
    for (int k = 1; k * 360 < 3855; ++k)
        EXPECT_EQ(c.pixel(w.toPixelsX(180), w.toPixelsY(360.0 * k)), grid) << k;
    EXPECT_EQ(c.pixel(w.toPixelsX(180), w.toPixelsY(180)), paper);
    EXPECT_EQ(c.pixel(0, 0), paper);
}

TEST(FormatDesigner, OpeningOverAnEmptyTable) {
    DesignerFixture f;
    EXPECT_TRUE(f.bankEntries().isEmpty());
    EXPECT_TRUE(f.messageTexts().isEmpty());
    QString expected = QString::fromLatin1(kBrowse);
    expected.replace(QStringLiteral("cmdEdit+"), QStringLiteral("cmdEdit-"))
        .replace(QStringLiteral("cmdDelete+"), QStringLiteral("cmdDelete-"));
    EXPECT_EQ(enabledStates(f), expected);
    EXPECT_EQ(f.box("txtChequeWidth")->text(), QStringLiteral("0.00"));
    EXPECT_EQ(f.list("cboPrinterName")->currentText(), QStringLiteral("Office-Laser"));
    EXPECT_EQ(f.list("cboLanguage")->currentText(), QStringLiteral("English"));
    EXPECT_EQ(f.list("cboDateType")->currentIndex(), 0);
    EXPECT_TRUE(f.find<QLabel>("ChequeLabel0")->isVisibleTo(&f.window()));
    EXPECT_FALSE(f.find<QLabel>("ChequeLabel5")->isVisibleTo(&f.window()));

    // Add and save the first format: listed, selected, shown; Edit and Delete on.
    f.click("cmdAdd");
    f.type("txtBankName", QStringLiteral("First Bank"));
    f.type("txtBankCode", QStringLiteral("fb 1"));
    EXPECT_EQ(f.box("txtBankCode")->text(), QStringLiteral("FB1"));
    f.click("cmdSave");
    EXPECT_TRUE(f.messageTexts().isEmpty())
        << f.messageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(f.bankEntries(), QStringList{QStringLiteral("FB1 - First Bank")});
    EXPECT_EQ(f.list("cboBank")->currentIndex(), 0);
    EXPECT_EQ(f.window().mode(), DesignerMode::Browse);
    EXPECT_TRUE(f.button("cmdEdit")->isEnabled());
    EXPECT_TRUE(f.button("cmdDelete")->isEnabled());
    EXPECT_EQ(stored(f, "FB1", "BankName"), QStringLiteral("First Bank"));

    // Deleting it empties the table again: Edit and Delete off.
    f.dialogs().answer({Answer::Yes});
    f.click("cmdDelete");
    EXPECT_TRUE(f.bankEntries().isEmpty());
    EXPECT_EQ(enabledStates(f), expected);
}

// Every button of the window answers its own Alt key, in every mode.
TEST(FormatDesigner, NoTwoButtonsShareAnAccelerator) {
    DesignerFixture f(kThree);
    for (const char* mode : {"browse", "cmdAdd", "cmdEdit"}) {
        if (QByteArray(mode) != "browse") f.click(mode);
        EXPECT_EQ(sharedAccelerators(&f.window()), QStringList()) << mode;
        if (QByteArray(mode) != "browse") f.click(mode);  // Cancel
    }
    // While adding, Alt+L opens the location window and Alt+C cancels.
    f.click("cmdAdd");
    // A button answers its Alt key with an animated click, done a moment later.
    QTest::keyClick(&f.window(), Qt::Key_L, Qt::AltModifier);
    QTest::qWait(200);
    EXPECT_EQ(f.dialogs().modalWindows, std::vector{QStringLiteral("frmChequeLocation")});
    QTest::keyClick(&f.window(), Qt::Key_C, Qt::AltModifier);
    QTest::qWait(200);
    EXPECT_EQ(f.window().mode(), DesignerMode::Browse);
}

// A value set through the accessibility interface, as a screen reader or a
// program sets it, counts as a typed one: shown by its box's rule and saved.
TEST(FormatDesigner, TextSetWithoutTypingIsTheWorkingCopy) {
    DesignerFixture f(kThree);
    f.click("cmdAdd");
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"txtBankName", "Assisted Bank", "Assisted Bank"},
        {"txtBankCode", "as 1", "AS1"},
        {"txtChequeWidth", "7.5", "7.50"},
        {"txtChequeHeight", "3", "3.00"},
        {"txtXLeft", "1", "1.00"},
        {"txtYTop", "0.5", "0.50"},
    };
    f.box("txtChequeHeight")->setFocus();  // the focused box takes its text when left
    for (const auto& [name, text, shown] : cases) {
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(f.box(name));
        ASSERT_TRUE(box && box->editableTextInterface() && box->textInterface()) << name;
        box->editableTextInterface()->replaceText(0, box->textInterface()->characterCount(),
                                                  QString::fromUtf8(text));
    }
    f.click("cmdSave");
    for (const auto& [name, text, shown] : cases)
        EXPECT_EQ(f.box(name)->text(), QString::fromUtf8(shown)) << name;
    EXPECT_TRUE(f.messageTexts().isEmpty())
        << f.messageTexts().join(QLatin1Char('|')).toStdString();
    const auto row = ChequeFormatStore::findByCode(f.db(), QStringLiteral("AS1"));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->bankName, QStringLiteral("Assisted Bank"));
    EXPECT_EQ(row->chequeWidth, 7.5 * 1440);
    EXPECT_EQ(row->chequeHeight, 3 * 1440);
    EXPECT_EQ(row->fields[FieldDate].left, 1440.0f);
    EXPECT_EQ(row->fields[FieldDate].top, 720.0f);

    // While editing, the code box is read-only: an edit that bypasses that is undone.
    f.click("cmdEdit");
    QAccessibleInterface* code = QAccessible::queryAccessibleInterface(f.box("txtBankCode"));
    code->editableTextInterface()->replaceText(0, 3, QStringLiteral("ZZZ"));
    EXPECT_EQ(f.box("txtBankCode")->text(), QStringLiteral("AS1"));
    EXPECT_EQ(f.model().bankCode(), QStringLiteral("AS1"));
}

TEST(FormatDesigner, OpeningListsInCreationOrderAndShowsTheFirst) {
    DesignerFixture f(kThree);
    EXPECT_EQ(f.bankEntries(), (QStringList{QStringLiteral("MBB - Maybank Berhad"),
                                            QStringLiteral("ABC - Alpha Bank"),
                                            QStringLiteral("CIMB - CIMB \"Islamic\" Bank")}));
    EXPECT_EQ(f.list("cboBank")->currentIndex(), 0);
    EXPECT_EQ(f.box("txtBankName")->text(), QStringLiteral("Maybank Berhad"));
    EXPECT_EQ(f.box("txtBankCode")->text(), QStringLiteral("MBB"));
    EXPECT_EQ(f.box("txtChequeWidth")->text(), QStringLiteral("8.50"));
    EXPECT_EQ(f.box("txtChequeHeight")->text(), QStringLiteral("3.50"));
    EXPECT_EQ(f.list("cboLanguage")->currentText(), QStringLiteral("Malay"));
    EXPECT_EQ(f.list("cboPrinterName")->currentText(), QStringLiteral("Cheque-Printer"));
    EXPECT_EQ(f.model().orientationCode(), 2);
    EXPECT_EQ(f.model().chequeTop(), 43.2);
    EXPECT_EQ(enabledStates(f), QString::fromLatin1(kBrowse));
    const ChequeFormat mbb = DesignerFixture::sample(QStringLiteral("MBB"), QStringLiteral("x"));
    EXPECT_EQ(f.find<QLabel>("ChequeLabel2")->x(), f.window().toPixelsX(mbb.fields[2].left));
    EXPECT_EQ(f.find<QLabel>("ChequeLabel2")->font().family(), QStringLiteral("Liberation Serif"));
    EXPECT_TRUE(f.find<QLabel>("ChequeLabel2")->font().bold());
    EXPECT_TRUE(f.messageTexts().isEmpty());

    // Selecting another entry shows that format.
    f.list("cboBank")->setCurrentIndex(1);
    EXPECT_EQ(f.box("txtBankName")->text(), QStringLiteral("Alpha Bank"));
    const ChequeFormat abc = DesignerFixture::sample(QStringLiteral("ABC"), QStringLiteral("x"));
    EXPECT_EQ(f.find<QLabel>("ChequeLabel2")->x(), f.window().toPixelsX(abc.fields[2].left));
}

TEST(FormatDesigner, SelectingAnEntryWhoseRowIsGone) {
    DesignerFixture f(kThree);
    ChequeFormatStore::remove(f.db(), QStringLiteral("ABC"));
    f.list("cboBank")->setCurrentIndex(1);
    ASSERT_EQ(f.dialogs().messages.size(), 1u);
    EXPECT_EQ(f.dialogs().messages[0].text, QStringLiteral("No record found for ABC bank."));
    EXPECT_EQ(f.dialogs().messages[0].title, QStringLiteral("Found no record"));
    EXPECT_EQ(f.dialogs().messages[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(f.box("txtBankName")->text(), QString());
    EXPECT_EQ(f.box("txtChequeWidth")->text(), QStringLiteral("0.00"));
    EXPECT_EQ(f.find<QLabel>("ChequeLabel1")->x(), f.window().toPixelsX(600));
}

TEST(FormatDesigner, ModesEnableExactlyTheirControls) {
    DesignerFixture f(kThree);
    EXPECT_EQ(enabledStates(f), QString::fromLatin1(kBrowse));
    f.click("cmdAdd");
    EXPECT_EQ(enabledStates(f), QString::fromLatin1(kAdding));
    EXPECT_EQ(f.window().focusWidget(), f.box("txtBankName"));
    EXPECT_EQ(f.box("txtBankName")->text(), QString());
    f.click("cmdAdd");  // Cancel
    EXPECT_EQ(enabledStates(f), QString::fromLatin1(kBrowse));
    f.click("cmdEdit");
    EXPECT_EQ(enabledStates(f), QString::fromLatin1(kEditing));
    EXPECT_EQ(f.window().focusWidget(), f.box("txtBankName"));
    f.click("cmdEdit");  // Cancel
    EXPECT_EQ(enabledStates(f), QString::fromLatin1(kBrowse));
    // Disabled buttons do nothing when clicked.
    f.click("cmdSave");
    EXPECT_EQ(f.window().mode(), DesignerMode::Browse);
    EXPECT_TRUE(f.messageTexts().isEmpty());
}

TEST(FormatDesigner, AddAndSaveAppendsSelectsAndReloads) {
    DesignerFixture f(kThree);
    f.click("cmdAdd");
    f.type("txtBankName", QStringLiteral("New \u00c7elik Bank"));
    f.type("txtBankCode", QStringLiteral(" nb 7 "));
    f.type("txtChequeWidth", QStringLiteral("7.1234"));
    EXPECT_EQ(f.box("txtChequeWidth")->text(), QStringLiteral("7.12"));
    f.list("cboLanguage")->setCurrentIndex(1);
    f.list("cboPrinterName")->setCurrentIndex(0);
    f.click("cmdSave");
    EXPECT_TRUE(f.messageTexts().isEmpty());
    EXPECT_EQ(f.bankEntries().size(), 4);
    EXPECT_EQ(f.bankEntries().last(), QStringLiteral("NB7 - New \u00c7elik Bank"));
    EXPECT_EQ(f.list("cboBank")->currentIndex(), 3);
    EXPECT_EQ(enabledStates(f), QString::fromLatin1(kBrowse));
    const auto row = ChequeFormatStore::findByCode(f.db(), QStringLiteral("NB7"));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->bankName, QStringLiteral("New \u00c7elik Bank"));
    EXPECT_EQ(row->chequeWidth, 7.12 * 1440);
    EXPECT_EQ(row->amountLanguage, 2);
    EXPECT_EQ(row->printerName, QStringLiteral("[Default]"));
    EXPECT_EQ(row->fields[FieldWord2].width, 5655.0f);
    // Shown as read back from the database.
    EXPECT_EQ(f.box("txtChequeWidth")->text(), QStringLiteral("7.12"));
    EXPECT_EQ(f.list("cboLanguage")->currentText(), QStringLiteral("Malay"));
}

TEST(FormatDesigner, SaveRefusals) {
    DesignerFixture f(kThree);
    f.click("cmdAdd");
    f.type("txtBankCode", QStringLiteral("NEW"));
    f.click("cmdSave");
    ASSERT_EQ(f.dialogs().messages.size(), 1u);
    EXPECT_EQ(f.dialogs().messages[0].text, QStringLiteral("No emtpy Bank Name is allowed."));
    EXPECT_EQ(f.dialogs().messages[0].title, QStringLiteral("Data validation"));
    EXPECT_EQ(f.window().focusWidget(), f.box("txtBankName"));
    EXPECT_EQ(f.window().mode(), DesignerMode::Adding);

    f.dialogs().clear();
    f.type("txtBankName", QStringLiteral("Name"));
    f.type("txtBankCode", QStringLiteral("   "));
    f.click("cmdSave");
    ASSERT_EQ(f.dialogs().messages.size(), 1u);
    EXPECT_EQ(f.dialogs().messages[0].text, QStringLiteral("No emtpy Bank Code is allowed."));
    EXPECT_EQ(f.dialogs().messages[0].title, QStringLiteral("Data validation"));
    EXPECT_EQ(f.window().mode(), DesignerMode::Adding);

    // A stored code: still adding, the typed data intact.
    f.dialogs().clear();
    f.type("txtBankCode", QStringLiteral("abc"));
    f.type("txtChequeWidth", QStringLiteral("6"));
    f.click("cmdSave");
    ASSERT_EQ(f.dialogs().messages.size(), 1u);
    EXPECT_EQ(f.dialogs().messages[0].text, QStringLiteral("Bank Code already exist."));
    EXPECT_EQ(f.dialogs().messages[0].title, QStringLiteral("Duplication of Bank Code"));
    EXPECT_EQ(f.window().focusWidget(), f.box("txtBankCode"));
    EXPECT_EQ(f.window().mode(), DesignerMode::Adding);
    EXPECT_EQ(f.box("txtBankName")->text(), QStringLiteral("Name"));
    EXPECT_EQ(f.box("txtChequeWidth")->text(), QStringLiteral("6.00"));
    EXPECT_EQ(stored(f, "ABC", "BankName"), QStringLiteral("Alpha Bank"));
    EXPECT_EQ(f.bankEntries().size(), 3);

    // Editing refuses an empty name too.
    f.click("cmdAdd");
    f.dialogs().clear();
    f.click("cmdEdit");
    f.type("txtBankName", QString());
    f.click("cmdSave");
    EXPECT_EQ(f.messageTexts(), QStringList{QStringLiteral("No emtpy Bank Name is allowed.")});
    EXPECT_EQ(f.window().mode(), DesignerMode::Editing);
    EXPECT_EQ(stored(f, "MBB", "BankName"), QStringLiteral("Maybank Berhad"));
}

TEST(FormatDesigner, CancelRestoresTheStoredFormat) {
    for (const char* mode : {"cmdAdd", "cmdEdit"}) {
        DesignerFixture f(kThree);
        f.list("cboBank")->setCurrentIndex(2);
        f.click(mode);
        f.type("txtBankName", QStringLiteral("Scribbled"));
        f.type("txtChequeWidth", QStringLiteral("1"));
        f.model().labels()[FieldAmount].left = 1;
        f.click(mode);  // Cancel
        EXPECT_EQ(f.window().mode(), DesignerMode::Browse) << mode;
        EXPECT_EQ(f.list("cboBank")->currentIndex(), 2) << mode;
        EXPECT_EQ(f.box("txtBankName")->text(), QStringLiteral("CIMB \"Islamic\" Bank")) << mode;
        EXPECT_EQ(f.box("txtChequeWidth")->text(), QStringLiteral("8.50")) << mode;
        const ChequeFormat cimb = DesignerFixture::sample(QStringLiteral("CIMB"), QString());
        EXPECT_EQ(f.model().labels()[FieldAmount].left, cimb.fields[FieldAmount].left) << mode;
        EXPECT_EQ(stored(f, "CIMB", "BankName"), QStringLiteral("CIMB \"Islamic\" Bank"));
        EXPECT_TRUE(f.messageTexts().isEmpty()) << mode;
    }
}

TEST(FormatDesigner, CancelAddingOverAnEmptyTableKeepsTheDefaults) {
    DesignerFixture f;
    f.click("cmdAdd");
    f.type("txtBankName", QStringLiteral("Abandoned"));
    f.click("cmdAdd");
    EXPECT_TRUE(f.messageTexts().isEmpty());
    EXPECT_EQ(f.box("txtBankName")->text(), QString());
    EXPECT_FALSE(f.button("cmdEdit")->isEnabled());
}

TEST(FormatDesigner, EditAndSaveKeepsTheListTextAndRefreshesTheMainWindow) {
    DesignerFixture f(kThree);
    MainWindow main(f.env.context);
    ASSERT_TRUE(main.load());
    f.dialogs().onNextModal([&f](QDialog* dialog) {
        auto* designer = qobject_cast<FormatDesigner*>(dialog);
        ASSERT_TRUE(designer);
        auto* banks = designer->findChild<QComboBox*>(QStringLiteral("cboBank"));
        banks->setCurrentIndex(1);
        QTest::mouseClick(designer->findChild<QPushButton*>(QStringLiteral("cmdEdit")),
                          Qt::LeftButton);
        auto* name = designer->findChild<QLineEdit*>(QStringLiteral("txtBankName"));
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Alpha Renamed"));
        QTest::mouseClick(designer->findChild<QPushButton*>(QStringLiteral("cmdSave")),
                          Qt::LeftButton);
        EXPECT_EQ(designer->mode(), DesignerMode::Browse);
        EXPECT_EQ(banks->currentText(), QStringLiteral("ABC - Alpha Bank"));
        EXPECT_EQ(ChequeFormatStore::findByCode(f.db(), QStringLiteral("ABC"))->bankName,
                  QStringLiteral("Alpha Renamed"));
        QTest::mouseClick(designer->findChild<QPushButton*>(QStringLiteral("cmdExit")),
                          Qt::LeftButton);
        EXPECT_FALSE(designer->isVisible());
    });
    QTest::mouseClick(main.findChild<QPushButton*>(QStringLiteral("cmdEditCheque")),
                      Qt::LeftButton);
    EXPECT_EQ(f.dialogs().modalWindows, std::vector<QString>{QStringLiteral("frmAdjustCheque")});
    EXPECT_TRUE(f.messageTexts().isEmpty());
    QStringList mainEntries;
    for (int i = 0; i < widget<QComboBox>(&main, "cboBank")->count(); ++i)
        mainEntries << widget<QComboBox>(&main, "cboBank")->itemText(i);
    EXPECT_EQ(mainEntries, (QStringList{QStringLiteral("ABC - Alpha Renamed"),
                                        QStringLiteral("CIMB - CIMB \"Islamic\" Bank"),
                                        QStringLiteral("MBB - Maybank Berhad")}));
    EXPECT_EQ(widget<QComboBox>(&main, "cboBank")->currentIndex(), 0);
}

TEST(FormatDesigner, DeleteAnsweredNoThenYes) {
    DesignerFixture f(kThree);
    f.list("cboBank")->setCurrentIndex(1);
    f.dialogs().answer({Answer::No});
    f.click("cmdDelete");
    ASSERT_EQ(f.dialogs().messages.size(), 1u);
    EXPECT_EQ(f.dialogs().messages[0].text,
              QStringLiteral("Are you sure you want to delete Bank's cheque details?"));
    EXPECT_EQ(f.dialogs().messages[0].title, QStringLiteral("Delete"));
    EXPECT_EQ(f.dialogs().messages[0].icon, Dialogs::Icon::None);
    EXPECT_EQ(f.dialogs().messages[0].buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(f.bankEntries().size(), 3);
    EXPECT_EQ(ChequeFormatStore::listById(f.db()).size(), 3u);

    f.dialogs().clear();
    f.dialogs().answer({Answer::Yes});
    f.click("cmdDelete");
    EXPECT_EQ(f.bankEntries(), (QStringList{QStringLiteral("MBB - Maybank Berhad"),
                                            QStringLiteral("CIMB - CIMB \"Islamic\" Bank")}));
    EXPECT_FALSE(ChequeFormatStore::findByCode(f.db(), QStringLiteral("ABC")));
    // The first remaining entry is selected and shown.
    EXPECT_EQ(f.list("cboBank")->currentIndex(), 0);
    EXPECT_EQ(f.box("txtBankName")->text(), QStringLiteral("Maybank Berhad"));
    EXPECT_EQ(enabledStates(f), QString::fromLatin1(kBrowse));

    // Deleting the rest leaves the defaults with Edit and Delete off.
    f.dialogs().answer({Answer::Yes, Answer::Yes});
    f.click("cmdDelete");
    f.click("cmdDelete");
    EXPECT_TRUE(f.bankEntries().isEmpty());
    EXPECT_TRUE(ChequeFormatStore::listById(f.db()).empty());
    EXPECT_EQ(f.box("txtBankName")->text(), QString());
    EXPECT_FALSE(f.button("cmdEdit")->isEnabled());
    EXPECT_FALSE(f.button("cmdDelete")->isEnabled());
    EXPECT_EQ(f.messageTexts().size(), 3);
}

TEST(FormatDesigner, DeleteWhileAddingKeepsTheTypedFormat) {
    DesignerFixture f(kThree);
    f.click("cmdAdd");
    f.type("txtBankName", QStringLiteral("Being typed"));
    f.dialogs().answer({Answer::Yes});
    f.click("cmdDelete");  // acts on the selected entry, MBB
    EXPECT_FALSE(ChequeFormatStore::findByCode(f.db(), QStringLiteral("MBB")));
    EXPECT_EQ(f.window().mode(), DesignerMode::Adding);
    EXPECT_EQ(f.box("txtBankName")->text(), QStringLiteral("Being typed"));
}

TEST(FormatDesigner, ClosingInEveryModeAndAnswer) {
    struct Case {
        const char* mode;  // button that enters the mode, or nothing for browse
        std::optional<Answer> answer;
        bool closed;
        const char* storedName;  // BankName of the row afterwards
    };
    const Case cases[] = {
        {nullptr, std::nullopt, true, "Maybank Berhad"},
        {"cmdEdit", Answer::Cancel, false, "Maybank Berhad"},
        {"cmdEdit", Answer::No, true, "Maybank Berhad"},
        {"cmdEdit", Answer::Yes, true, "Changed Name"},
        {"cmdAdd", Answer::Cancel, false, "<none>"},
        {"cmdAdd", Answer::No, true, "<none>"},
        {"cmdAdd", Answer::Yes, true, "Changed Name"},
    };
    for (const Case& c : cases) {
        for (const bool closeBox : {false, true}) {
            DesignerFixture f(kThree);
            const char* code = c.mode && QByteArray(c.mode) == "cmdAdd" ? "NEW" : "MBB";
            if (c.mode) {
                f.click(c.mode);
                f.type("txtBankName", QStringLiteral("Changed Name"));
                if (QByteArray(c.mode) == "cmdAdd") f.type("txtBankCode", QStringLiteral("NEW"));
            }
            if (c.answer) f.dialogs().answer({*c.answer});
            if (closeBox)
                f.window().close();
            else
                f.click("cmdExit");
            const std::string label = std::string(c.mode ? c.mode : "browse") + " " +
                                      std::to_string(c.answer ? int(*c.answer) : -1) +
                                      (closeBox ? " close box" : " Exit");
            if (c.answer) {
                ASSERT_EQ(f.dialogs().messages.size(), 1u) << label;
                EXPECT_EQ(f.dialogs().messages[0].text, QStringLiteral("Save before exit?"));
                EXPECT_EQ(f.dialogs().messages[0].title, QStringLiteral("Save Bank's Cheque"));
                EXPECT_EQ(f.dialogs().messages[0].icon, Dialogs::Icon::None);
                EXPECT_EQ(f.dialogs().messages[0].buttons, Dialogs::Buttons::YesNoCancel);
            } else {
                EXPECT_TRUE(f.messageTexts().isEmpty()) << label;
            }
            EXPECT_EQ(!f.window().isVisible(), c.closed) << label;
            if (!c.closed) {
                EXPECT_EQ(enabledStates(f),
                          QString::fromLatin1(QByteArray(c.mode) == "cmdAdd" ? kAdding : kEditing))
                    << label;
            }
            EXPECT_EQ(stored(f, code, "BankName"), QString::fromUtf8(c.storedName)) << label;
        }
    }
}

TEST(FormatDesigner, ClosingYesWithARefusedSaveStaysOpen) {
    struct Case {
        const char* name;
        const char* code;
        const char* message;
    };
    const Case cases[] = {{"", "NEW", "No emtpy Bank Name is allowed."},
                          {"Name", "", "No emtpy Bank Code is allowed."},
                          {"Name", "ABC", "Bank Code already exist."}};
    for (const Case& c : cases) {
        DesignerFixture f(kThree);
        f.click("cmdAdd");
        f.type("txtBankName", QString::fromUtf8(c.name));
        f.type("txtBankCode", QString::fromUtf8(c.code));
        f.dialogs().answer({Answer::Yes});
        f.click("cmdExit");
        EXPECT_EQ(f.messageTexts(),
                  (QStringList{QStringLiteral("Save before exit?"), QString::fromUtf8(c.message)}));
        EXPECT_TRUE(f.window().isVisible()) << c.message;
        EXPECT_EQ(f.window().mode(), DesignerMode::Adding);
        EXPECT_EQ(f.box("txtBankName")->text(), QString::fromUtf8(c.name));
        EXPECT_EQ(ChequeFormatStore::listById(f.db()).size(), 3u);
    }
}

TEST(FormatDesigner, ClosingYesWhileEditingSkipsTheEmptyChecks) {
    DesignerFixture f(kThree);
    f.click("cmdEdit");
    f.type("txtBankName", QString());
    f.dialogs().answer({Answer::Yes});
    f.click("cmdExit");
    EXPECT_EQ(f.messageTexts(), QStringList{QStringLiteral("Save before exit?")});
    EXPECT_FALSE(f.window().isVisible());
    EXPECT_EQ(stored(f, "MBB", "BankName"), QString());
}

TEST(FormatDesigner, TypedBoxesFollowTheirRules) {
    DesignerFixture f(kThree);
    f.click("cmdEdit");
    f.type("txtChequeWidth", QStringLiteral("8.5"));
    EXPECT_EQ(f.box("txtChequeWidth")->text(), QStringLiteral("8.50"));
    f.type("txtChequeHeight", QStringLiteral("two"));
    EXPECT_EQ(f.box("txtChequeHeight")->text(), QStringLiteral("3.50"));
    f.type("txtChequeHeight", QStringLiteral("-2"));
    EXPECT_EQ(f.messageTexts(), QStringList{QStringLiteral("No negative value is allowed.")});
    QApplication::processEvents();
    EXPECT_EQ(f.window().focusWidget(), f.box("txtChequeHeight"));
    EXPECT_EQ(f.box("txtChequeHeight")->selectedText(), QStringLiteral("-2"));
    f.type("txtChequeHeight", QStringLiteral("2.5"));
    // The panel shows field 0 after Edit; typed positions move it.
    f.type("txtXLeft", QStringLiteral("1.234"));
    EXPECT_EQ(f.box("txtXLeft")->text(), QStringLiteral("1.23"));
    EXPECT_EQ(f.model().labels()[FieldDate].left, 1771.2f);
    EXPECT_EQ(f.find<QLabel>("ChequeLabel0")->x(), f.window().toPixelsX(1771.2));
    f.click("cmdSave");
    const auto row = ChequeFormatStore::findByCode(f.db(), QStringLiteral("MBB"));
    EXPECT_EQ(row->chequeWidth, 12240.0);
    EXPECT_EQ(row->chequeHeight, 3600.0);
    EXPECT_EQ(row->fields[FieldDate].left, 1771.2f);
}

TEST(FormatDesigner, DateStyleShowsItsFields) {
    DesignerFixture f(kThree);
    f.click("cmdEdit");
    auto visible = [&f](int i) {
        return f.find<QLabel>(QStringLiteral("ChequeLabel%1").arg(i).toLatin1().constData())
            ->isVisibleTo(&f.window());
    };
    f.list("cboDateType")->setCurrentIndex(1);
    EXPECT_FALSE(visible(0));
    const bool shown[] = {true, true, true, true, false, false, true, true};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(visible(5 + i), shown[i]) << i;
    EXPECT_EQ(f.model().selectedField(), FieldSDateD1);
    f.list("cboDateType")->setCurrentIndex(2);
    for (int i = 5; i <= 12; ++i) EXPECT_TRUE(visible(i)) << i;
    f.click("cmdSave");
    EXPECT_EQ(ChequeFormatStore::findByCode(f.db(), QStringLiteral("MBB"))->dateType, 2);
}

}  // namespace
