#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "print/DateRendering.h"
#include "print/QtPrinterService.h"
#include "support/PdfWords.h"
#include "ui/designer/FormatDesigner.h"
#include "ui/options/OptionsDialog.h"
#include "ui/preview/PreviewFixture.h"
#include "words/TextHelpers.h"

// Every box a user types into, fed texts that break careless statements, layouts and conversions:
// each is stored and shown exactly (or cut at the box's limit) or refused with a message.
namespace {

struct BadText { const char* name; QString text; };
void PrintTo(const BadText& bad, std::ostream* os) { *os << bad.name; }

const QString kLong = QString(QStringLiteral("O'Neil \"&\" Sons; DROP TABLE Company; -- ")).repeated(250).left(10000);
const BadText kTexts[] = {
    {"Quotes", QStringLiteral("O'Brien \"The Best\" `Ltd` ''\"\"")},
    {"SqlDrop", QStringLiteral("x\"); DROP TABLE Company; --")},
    {"SqlDeleteFormats", QStringLiteral("a' OR 1=1; DELETE FROM BankCheque WHERE \"1\"=\"1")},
    {"TenThousandCharacters", kLong},
    {"ControlCharacters", QStringLiteral("Tab\there\x01" "bell\x07\x1b[31mred\x7f\r\nnext\u0085") + QChar(0) + u"after nul"},
    {"RightToLeft", QStringLiteral("\u0634\u0631\u0643\u0629 \u0627\u0644\u0623\u0645\u0644 \u202e(RLO) \u05e9\u05dc\u05d5\u05dd\u202c 12")},
    {"CombiningLetters", QStringLiteral("A\u030asstro\u0308m e\u0301\u0302 Z\u0351\u0362 stra\u00dfe \U0001F600 \uFB01")},
};

class BadInput : public PreviewFixture, public testing::WithParamInterface<BadText> {
protected:
    // Rows of every table a box reaches (less those the test added) and every definition.
    QString tables(int newPayees, int newFormats) {
        auto s = env.db().prepare(QStringLiteral(
            "SELECT (SELECT COUNT(*) FROM Settings) || ' ' || (SELECT COUNT(*) - %1 FROM Company) || ' ' || (SELECT COUNT(*) - %2 "
            "FROM BankCheque) || ' ' || (SELECT COUNT(*) FROM LanguageMain) || ' ' || (SELECT COUNT(*) FROM AmountWord) || ' ' || "
            "(SELECT group_concat(type || name || sql) FROM sqlite_master) AS t").arg(newPayees).arg(newFormats));
        return s.step() ? s.text("t") : QString();
    }
    const QString& text() const { return GetParam().text; }
    const QString m_tables = tables(0, 0);
};

// A payee is shown and printed in the chosen case and stored exactly; a printer name typed in the
// preview prints on the first printer; an amount that is no number is kept and refused.
TEST_P(BadInput, MainWindowAndPreviewStoreShowOrRefuseIt) {
    ASSERT_TRUE(printFromMain(text(), QStringLiteral("1,234.50"), [&](PrintPreviewDialog& p) {
        EXPECT_EQ(p.labels()[FieldRecipient].caption, toUpperCase(text()));
        enter(widget<QComboBox>(p, "cboPrinterName")->lineEdit(), text());
        EXPECT_EQ(widget<QComboBox>(p, "cboPrinterName")->currentText(), text());
        QTest::mouseClick(widget<QPushButton>(p, "cmdPrint"), Qt::LeftButton);
    }));
    EXPECT_EQ(env.dialogs.texts(), QStringList());
    EXPECT_TRUE(env.printers.printedTexts().contains(toUpperCase(text())));
    EXPECT_EQ(env.printers.madeCurrent.at(0), 0);
    EXPECT_EQ(newestPayee(), text());
    expectUsable(*main);
    EXPECT_FALSE(printFromMain(text(), text(), [](PrintPreviewDialog&) {}));
    EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("Invalid amount.")});
    EXPECT_EQ(widget<QLineEdit>(main, "txtAmount")->text(), text());
    EXPECT_EQ(tables(1, 0), m_tables);
}

// A payee is stored, listed and deleted exactly; a date style stored, shown and written so.
TEST_P(BadInput, OptionsStoreAndShowItExactly) {
    auto options = show<OptionsDialog>(env.context, UserSettings{});
    widget<QTabWidget>(options, "TabStrip1")->setCurrentIndex(1);
    QTest::mouseClick(widget<QPushButton>(options, "cmdAdd"), Qt::LeftButton);
    enter(widget<QLineEdit>(options, "txtName"), text());
    QTest::keyClick(widget<QLineEdit>(options, "txtName"), Qt::Key_Return);  // "Save recipient's name?" Yes
    EXPECT_EQ(newestPayee(), text());
    auto* list = widget<QTreeWidget>(options, "LVRecipients");
    EXPECT_EQ(list->findItems(text(), Qt::MatchExactly, 1).size(), 1);
    expectUsable(*options);
    env.dialogs.clear();
    QTest::mouseClick(widget<QPushButton>(options, "cmdDelete"), Qt::LeftButton);
    EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("Are you sure you want to delete ") + text() + u'?'});
    EXPECT_EQ(list->topLevelItemCount(), 0);

    env.dialogs.clear();
    enter(widget<QLineEdit>(options, "txtDate"), text());
    QTest::keyClick(widget<QLineEdit>(options, "txtDate"), Qt::Key_Tab);
    const QString written = formatDateStyle(env.clock.now().date(), text(), QLocale());
    EXPECT_EQ(widget<QLabel>(options, "lblSampleDate")->text(), QStringLiteral("Date sample: \r\n") + written);
    QTest::mouseClick(widget<QPushButton>(options, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(options->settings().dateFormat, text());
    ASSERT_TRUE(open(QStringLiteral("x"), options->settings()));
    EXPECT_EQ(preview->labels()[FieldDate].caption, written);
    EXPECT_EQ(env.dialogs.texts(), QStringList());
    EXPECT_EQ(tables(0, 0), m_tables);
}

// Bank name and code are stored within their limits and found again; inch boxes give it back.
TEST_P(BadInput, TheDesignerKeepsItWithinItsLimits) {
    auto designer = show<FormatDesigner>(env.context);
    ASSERT_TRUE(designer->load());
    auto box = [&](const char* name) { return widget<QLineEdit>(designer, name); };
    auto press = [&](const char* name) { QTest::mouseClick(widget<QPushButton>(designer, name), Qt::LeftButton); };
    press("cmdEdit");
    press("cmdSave");  // the sizes are stored in hundredths of an inch
    const ChequeFormat before = *ChequeFormatStore::findByCode(env.db(), QStringLiteral("TB"));
    press("cmdEdit");
    for (const char* name : {"txtXLeft", "txtYTop", "txtWidth", "txtChequeWidth", "txtChequeHeight"}) {
        const QString shown = box(name)->text();
        enter(box(name), text());
        EXPECT_EQ(box(name)->text(), text().left(10)) << name;
        QTest::keyClick(box(name), Qt::Key_Tab);
        EXPECT_EQ(box(name)->text(), shown) << name;
    }
    press("cmdSave");
    EXPECT_TRUE(*ChequeFormatStore::findByCode(env.db(), QStringLiteral("TB")) == before);
    press("cmdAdd");
    enter(box("txtBankName"), text());
    enter(box("txtBankCode"), text());
    QTest::keyClick(box("txtBankCode"), Qt::Key_Tab);
    QString code;  // at most 10 characters, blanks removed, each letter raised on its own
    for (const QChar c : text().left(10)) if (c != u' ') code += c.isSurrogate() ? c : c.toUpper();
    EXPECT_EQ(box("txtBankName")->text(), text().left(50));
    EXPECT_EQ(box("txtBankCode")->text(), code);
    enter(box("txtChequeWidth"), QStringLiteral("7.25"));
    press("cmdSave");
    EXPECT_EQ(env.dialogs.texts(), QStringList());
    EXPECT_EQ(ChequeFormatStore::findByCode(env.db(), code).value_or(ChequeFormat{}).bankName, text().left(50));
    EXPECT_EQ(widget<QComboBox>(designer, "cboBank")->currentText(), code + QStringLiteral(" - ") + text().left(50));
    expectUsable(*designer);
    press("cmdAdd");
    enter(box("txtBankName"), QStringLiteral("Another"));
    enter(box("txtBankCode"), text());
    press("cmdSave");
    EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("Bank Code already exist.")});
    EXPECT_EQ(tables(0, 1), m_tables);
}

INSTANTIATE_TEST_SUITE_P(Texts, BadInput, testing::ValuesIn(kTexts), [](const auto& info) { return std::string(info.param.name); });

class BadNumbers : public BadInput {};

// An inch box takes what reads as a number of inches it can show (a position is single precision).
TEST_F(BadNumbers, InchBoxesTakeOnlyNumbersTheyCanShow) {
    const struct { const char* typed; const char* size; const char* field; } cases[] = {
        {" 2.5 ", "2.50", "2.50"}, {"+1.5", "1.50", "1.50"}, {"1e1", "10.00", "10.00"}, {"1000", "1000.00", "1000.00"},
        {"9999999.99", "9999999.99", nullptr}, {"1e9", nullptr, nullptr}, {"9999999999", nullptr, nullptr},
        {"1e35", nullptr, nullptr}, {"nan", nullptr, nullptr}, {"-inf", nullptr, nullptr}, {"0x10", nullptr, nullptr},
        {"1,5", nullptr, nullptr}, {"2.5.1", nullptr, nullptr}, {"\uff11.\uff15", nullptr, nullptr}, {"\u0661\u066b\u0665", nullptr, nullptr}};
    auto designer = show<FormatDesigner>(env.context);
    ASSERT_TRUE(designer->load());
    QTest::mouseClick(widget<QPushButton>(designer, "cmdEdit"), Qt::LeftButton);
    for (const char* name : {"txtXLeft", "txtChequeWidth"}) {
        auto* box = widget<QLineEdit>(designer, name);
        for (const auto& c : cases) {
            const QString old = box->text();
            enter(box, QString::fromUtf8(c.typed), true);
            QTest::keyClick(box, Qt::Key_Tab);
            const char* taken = name[3] == 'X' ? c.field : c.size;  // nullptr: refused
            EXPECT_EQ(box->text(), taken ? QString::fromLatin1(taken) : old) << name << " " << c.typed;
        }
    }
    EXPECT_EQ(env.dialogs.texts(), QStringList());
}

// A code keeps its length whatever its letters' capitals; a name cut within a letter drops the half.
TEST_F(BadNumbers, BankCodesKeepTheirLengthAndNamesAreCutOnWholeLetters) {
    const struct { QString typed, code; } cases[] = {
        {QStringLiteral("stra\u00dfe"), QStringLiteral("STRA\u00dfE")}, {QString(10, QChar(0xdf)), QString(10, QChar(0xdf))},
        {QStringLiteral("\ufb01x \u0149"), QStringLiteral("\ufb01X\u0149")}, {QStringLiteral("\U00010428b"), QStringLiteral("\U00010400B")}};
    auto designer = show<FormatDesigner>(env.context);
    ASSERT_TRUE(designer->load());
    auto box = [&](const char* name) { return widget<QLineEdit>(designer, name); };
    for (const auto& c : cases) {
        QTest::mouseClick(widget<QPushButton>(designer, "cmdAdd"), Qt::LeftButton);
        enter(box("txtBankName"), QString(49, u'N') + QStringLiteral("\U0001F600"));
        enter(box("txtBankCode"), c.typed);
        QTest::keyClick(box("txtBankCode"), Qt::Key_Tab);
        EXPECT_EQ(box("txtBankCode")->text(), c.code);
        enter(box("txtChequeWidth"), QStringLiteral("7"));
        QTest::mouseClick(widget<QPushButton>(designer, "cmdSave"), Qt::LeftButton);
        EXPECT_EQ(ChequeFormatStore::findByCode(env.db(), c.code).value_or(ChequeFormat{}).bankName, QString(49, u'N'));
        EXPECT_EQ(widget<QComboBox>(designer, "cboBank")->currentText(), c.code + QStringLiteral(" - ") + QString(49, u'N'));
    }
    EXPECT_EQ(tables(0, std::size(cases)), m_tables);
}

// The 10,000-character payee through the real page writer: written where the field is.
TEST_F(BadNumbers, ALongPayeeIsWrittenOnThePage) {
    QTemporaryDir dir;
    QtPrinterService service(QtPrinterService::PdfFile{dir.filePath(QStringLiteral("cheque.pdf")), {}});
    env.context.printers = &service;
    ASSERT_TRUE(printFromMain(kLong, QStringLiteral("5.00"), [](PrintPreviewDialog& p) { p.print(); }));
    EXPECT_EQ(env.dialogs.texts(), QStringList());
    const PdfWords page = PdfWords::read(dir.filePath(QStringLiteral("cheque.pdf")));
    const PdfWords::Word* first = page.find(QStringLiteral("O'NEIL"));
    ASSERT_NE(first, nullptr) << page.error.toStdString();
    EXPECT_NEAR(first->xMin, (testFormat().fields[FieldRecipient].left + testFormat().chequeLeft) / 20.0, 1.0);
    EXPECT_EQ(tables(1, 0), m_tables);
}

// An amount too long to spell is kept exactly and refused before the preview, the focus back in it.
TEST_F(BadNumbers, ATenThousandDigitAmountIsKeptExactAndRefusedBeforeThePreview) {
    const QString digits(10000, u'7');
    EXPECT_FALSE(printFromMain(QStringLiteral("Payee"), digits, [](PrintPreviewDialog&) {}));
    auto* box = widget<QLineEdit>(main, "txtAmount");
    EXPECT_EQ(box->text().size(), 10000 + 3333 + 3);
    EXPECT_EQ(box->text().remove(u',').chopped(3), digits);
    expectOneError(QStringLiteral("Invalid amount. Amount can't exceed trillion value."));
    EXPECT_TRUE(box->hasFocus());
    EXPECT_TRUE(env.printers.calls.empty());
}

}  // namespace
