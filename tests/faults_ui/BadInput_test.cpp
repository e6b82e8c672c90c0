#include <QTabWidget>
#include <QTreeWidget>

#include "print/DateRendering.h"
#include "print/QtPrinterService.h"
#include "support/PdfWords.h"
#include "ui/designer/FormatDesigner.h"
#include "ui/options/OptionsDialog.h"
#include "ui/preview/PreviewFixture.h"
#include "words/TextHelpers.h"

namespace {

using namespace Qt::StringLiterals;

struct BadText { const char* name; QString text; };  // texts that break careless code: kept exactly, cut or refused

const QString kLong = u"O'Neil \"&\" Sons; DROP TABLE Company; -- "_s.repeated(250).left(10000);
const BadText kTexts[] = {
    {"Quotes", u"O'Brien \"The Best\" `Ltd` ''\"\""_s}, {"SqlDrop", u"x\"); DROP TABLE Company; --"_s},
    {"SqlDeleteFormats", u"a' OR 1=1; DELETE FROM BankCheque WHERE \"1\"=\"1"_s}, {"TenThousandCharacters", kLong},
    {"ControlCharacters", u"Tab\there\x01" "bell\x07\x1b[31mred\x7f\r\nnext\u0085"_s + QChar(0) + u"after nul"},
    {"RightToLeft", u"\u0634\u0631\u0643\u0629 \u0627\u0644\u0623\u0645\u0644 \u202e(RLO) "
                    u"\u05e9\u05dc\u05d5\u05dd\u202c 12"_s},
    {"CombiningLetters", u"A\u030asstro\u0308m e\u0301\u0302 Z\u0351\u0362 stra\u00dfe \U0001F600 \uFB01"_s}};

class BadInput : public PreviewFixture, public testing::WithParamInterface<BadText> {
protected:
    QString tables(int newPayees, int newFormats) {  // rows of each table a box reaches (less those added), the schema
        auto s = env.db().prepare(QStringLiteral("SELECT (SELECT COUNT(*) FROM Settings) || ' ' || "
            "(SELECT COUNT(*) - %1 FROM Company) || ' ' || (SELECT COUNT(*) - %2 FROM BankCheque) || ' ' || "
            "(SELECT COUNT(*) FROM LanguageMain) || ' ' || (SELECT COUNT(*) FROM AmountWord) || ' ' || "
            "(SELECT group_concat(type || name || sql) FROM sqlite_master) AS t").arg(newPayees).arg(newFormats));
        return s.step() ? s.text("t") : QString();
    }
    const QString& text() const { return GetParam().text; }
    bool openDesigner() { return (window = (designer = show<FormatDesigner>(env.context)).get()) && designer->load(); }
    QLineEdit* box(const char* name) const { return widget<QLineEdit>(window, name); }
    void press(const char* name) const { QTest::mouseClick(widget<QPushButton>(window, name), Qt::LeftButton); }
    void leave(QLineEdit* b, const QString& t, bool p = false) { enter(b, t, p), QTest::keyClick(b, Qt::Key_Tab); }

    const QString m_tables = tables(0, 0);
    std::unique_ptr<FormatDesigner> designer;
    QWidget* window = nullptr;  // the window the test drives, that box() and press() reach into
};

// A payee is printed in capitals and stored exactly; a typed printer name prints on the first; a bad amount is kept.
TEST_P(BadInput, MainWindowAndPreviewStoreShowOrRefuseIt) {
    ASSERT_TRUE(printFromMain(text(), u"1,234.50"_s, [&](PrintPreviewDialog& p) {
        enter(widget<QComboBox>(p, "cboPrinterName")->lineEdit(), text());
        EXPECT_EQ(widget<QComboBox>(p, "cboPrinterName")->currentText(), text());
        p.print();
    }));
    EXPECT_TRUE(env.printers.printedTexts().contains(toUpperCase(text())) && env.printers.madeCurrent.at(0) == 0);
    expectUsable(*main);
    EXPECT_FALSE(printFromMain(text(), text(), [](PrintPreviewDialog&) {}));
    EXPECT_EQ(env.dialogs.texts() << tables(1, 0) << newestPayee() << widget<QLineEdit>(main, "txtAmount")->text(),
              QStringList({u"Invalid amount."_s, m_tables, text(), text()}));  // the one message; amount kept
}

// A payee is stored, listed and deleted exactly; a date style stored, shown and written so.
TEST_P(BadInput, OptionsStoreAndShowItExactly) {
    auto options = show<OptionsDialog>(env.context, UserSettings{});
    window = options.get(), widget<QTabWidget>(window, "TabStrip1")->setCurrentIndex(1);
    press("cmdAdd"), enter(box("txtName"), text()), QTest::keyClick(box("txtName"), Qt::Key_Return);  // save? Yes
    EXPECT_EQ(newestPayee(), text());
    EXPECT_EQ(widget<QTreeWidget>(window, "LVRecipients")->findItems(text(), Qt::MatchExactly, 1).size(), 1);
    expectUsable(*options);
    env.dialogs.clear(), press("cmdDelete");
    EXPECT_EQ(env.dialogs.texts(), QStringList{u"Are you sure you want to delete "_s + text() + u'?'});
    EXPECT_EQ(widget<QTreeWidget>(window, "LVRecipients")->topLevelItemCount(), 0);

    env.dialogs.clear(), leave(box("txtDate"), text());
    const QString written = formatDateStyle(env.clock.now().date(), text(), QLocale());
    EXPECT_EQ(widget<QLabel>(window, "lblSampleDate")->text(), u"Date sample: \r\n"_s + written);
    ASSERT_TRUE((press("cmdOK"), open(u"x"_s, options->settings())));  // prints as the sample showed
    EXPECT_EQ(preview->labels()[FieldDate].caption, written);
    EXPECT_EQ(env.dialogs.texts() << tables(0, 0), QStringList{m_tables});
}

// Bank name and code are stored within their limits and found again; inch boxes give it back.
TEST_P(BadInput, TheDesignerKeepsItWithinItsLimits) {
    ASSERT_TRUE(openDesigner());
    press("cmdEdit"), press("cmdSave");  // the sizes are stored in hundredths of an inch
    const ChequeFormat before = *ChequeFormatStore::findByCode(env.db(), u"TB"_s);
    press("cmdEdit");
    for (const char* name : {"txtXLeft", "txtYTop", "txtWidth", "txtChequeWidth", "txtChequeHeight"}) {
        const QString shown = box(name)->text();
        enter(box(name), text());
        EXPECT_EQ(box(name)->text(), text().left(10)) << name;
        QTest::keyClick(box(name), Qt::Key_Tab);
        EXPECT_EQ(box(name)->text(), shown) << name;
    }
    EXPECT_TRUE((press("cmdSave"), *ChequeFormatStore::findByCode(env.db(), u"TB"_s) == before));
    press("cmdAdd"), enter(box("txtBankName"), text()), leave(box("txtBankCode"), text());
    QString code;  // at most 10 characters, blanks removed, each letter raised on its own
    for (const QChar c : text().left(10)) if (c != u' ') code += c.isSurrogate() ? c : c.toUpper();
    EXPECT_EQ(box("txtBankName")->text() + u'|' + box("txtBankCode")->text(), text().left(50) + u'|' + code);
    enter(box("txtChequeWidth"), u"7.25"_s), press("cmdSave");
    EXPECT_EQ(ChequeFormatStore::findByCode(env.db(), code).value_or(ChequeFormat{}).bankName, text().left(50));
    EXPECT_EQ(widget<QComboBox>(window, "cboBank")->currentText(), code + u" - "_s + text().left(50));
    expectUsable(*designer);
    press("cmdAdd"), enter(box("txtBankName"), u"Another"_s), enter(box("txtBankCode"), text()), press("cmdSave");
    EXPECT_EQ(env.dialogs.texts() << tables(0, 1), (QStringList{u"Bank Code already exist."_s, m_tables}));
}

INSTANTIATE_TEST_SUITE_P(Texts, BadInput, testing::ValuesIn(kTexts), [](auto& i) { return std::string(i.param.name); });

class BadNumbers : public BadInput {};

// An inch box takes what reads as a number of inches it can show (a position is single precision).
TEST_F(BadNumbers, InchBoxesTakeOnlyNumbersTheyCanShow) {
    const struct { const char *typed, *size = nullptr, *field = nullptr; } cases[] = {  // null: refused
        {" 2.5 ", "2.50", "2.50"}, {"+1.5", "1.50", "1.50"}, {"1e1", "10.00", "10.00"}, {"1000", "1000.00", "1000.00"},
        {"9999999.99", "9999999.99"}, {"1e9"}, {"9999999999"}, {"1e35"}, {"nan"}, {"-inf"}, {"0x10"}, {"1,5"},
        {"2.5.1"}, {"\uff11.\uff15"}, {"\u0661\u066b\u0665"}};
    ASSERT_TRUE(openDesigner());
    press("cmdEdit");
    for (const char* name : {"txtXLeft", "txtChequeWidth"})
        for (const auto& c : cases) {
            const QString old = box(name)->text();
            leave(box(name), QString::fromUtf8(c.typed), true);
            const char* taken = name[3] == 'X' ? c.field : c.size;
            EXPECT_EQ(box(name)->text(), taken ? QString::fromLatin1(taken) : old) << name << " " << c.typed;
        }
    EXPECT_EQ(env.dialogs.texts(), QStringList());
}

// A code keeps its length whatever its letters' capitals; a name cut within a letter drops the half.
TEST_F(BadNumbers, BankCodesKeepTheirLengthAndNamesAreCutOnWholeLetters) {
    const struct { QString typed, code; } cases[] = {
        {u"stra\u00dfe"_s, u"STRA\u00dfE"_s}, {QString(10, QChar(0xdf)), QString(10, QChar(0xdf))},
        {u"\ufb01x \u0149"_s, u"\ufb01X\u0149"_s}, {u"\U00010428b"_s, u"\U00010400B"_s}};
    const QString name(49, u'N');
    ASSERT_TRUE(openDesigner());
    for (const auto& c : cases) {
        press("cmdAdd"), enter(box("txtBankName"), name + u"\U0001F600"_s), leave(box("txtBankCode"), c.typed);
        EXPECT_EQ(box("txtBankCode")->text(), c.code);
        enter(box("txtChequeWidth"), u"7"_s), press("cmdSave");
        EXPECT_EQ(ChequeFormatStore::findByCode(env.db(), c.code).value_or(ChequeFormat{}).bankName, name);
        EXPECT_EQ(widget<QComboBox>(window, "cboBank")->currentText(), c.code + u" - "_s + name);
    }
    EXPECT_EQ(tables(0, std::size(cases)), m_tables);
}

// The 10,000-character payee through the real page writer: written where the field is.
TEST_F(BadNumbers, ALongPayeeIsWrittenOnThePage) {
    QTemporaryDir dir;
    QtPrinterService service(QtPrinterService::PdfFile{dir.filePath(u"cheque.pdf"_s), {}});
    env.context.printers = &service;
    ASSERT_TRUE(printFromMain(kLong, u"5.00"_s, [](PrintPreviewDialog& p) { p.print(); }));
    const PdfWords page = PdfWords::read(dir.filePath(u"cheque.pdf"_s));
    const PdfWords::Word* first = page.find(u"O'NEIL"_s);
    ASSERT_NE(first, nullptr) << page.error.toStdString();
    EXPECT_NEAR(first->xMin, (testFormat().fields[FieldRecipient].left + testFormat().chequeLeft) / 20.0, 1.0);
    EXPECT_EQ(env.dialogs.texts() << tables(1, 0), QStringList{m_tables});
}

// An amount too long to spell is kept exactly and refused before the preview, the focus back in it.
TEST_F(BadNumbers, ATenThousandDigitAmountIsKeptExactAndRefusedBeforeThePreview) {
    const QString digits(10000, u'7');
    EXPECT_FALSE(printFromMain(u"Payee"_s, digits, [](PrintPreviewDialog&) {}));
    auto* amount = widget<QLineEdit>(main, "txtAmount");
    EXPECT_EQ(amount->text().size(), 10000 + 3333 + 3);
    EXPECT_EQ(amount->text().remove(u',').chopped(3), digits);
    expectOneError(u"Invalid amount. Amount can't exceed trillion value."_s);
    EXPECT_TRUE(amount->hasFocus() && env.printers.calls.empty());
}

}  // namespace
