#include "BadTexts.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "core/Units.h"
#include "designer/ChequeFormatModel.h"
#include "print/DateRendering.h"
#include "print/QtPrinterService.h"
#include "store/CompanyStore.h"
#include "store/SettingsStore.h"
#include "support/PdfWords.h"
#include "support/QStringPrinter.h"
#include "support/Widgets.h"
#include "ui/designer/FormatDesigner.h"
#include "ui/options/OptionsDialog.h"
#include "ui/preview/PreviewFixture.h"
#include "words/TextHelpers.h"

// Every box a user types into, fed texts that break careless statements, layouts
// and conversions: each text is stored and shown exactly (or within the box's
// length limit), or refused with a message; no statement breaks and no window
// grows past the screen.
namespace {

// Wider than any screen the program runs on: a window this wide cannot be used.
constexpr int kUsableWidth = 1600;

class BadInputBase : public PreviewFixture {
protected:
    void SetUp() override {
        PreviewFixture::SetUp();
        m_tables = tableState(env.db());
        ASSERT_EQ(m_tables.integrity, QStringLiteral("ok"));
    }

    // The tables as they were, but for the rows the test added.
    void expectTablesIntact(int newPayees, int newFormats) {
        TableState expected = m_tables;
        expected.company += newPayees;
        expected.formats += newFormats;
        EXPECT_EQ(tableState(env.db()), expected);
    }

    std::string shown() const { return env.dialogs.texts().join(u'|').toStdString(); }

    QString newestPayee() {
        auto s = env.db().prepare(QStringLiteral("SELECT Name FROM Company ORDER BY ID DESC"));
        return s.step() ? s.text("Name") : QString();
    }

    static void expectUsableWidth(QWidget& window) {
        window.adjustSize();
        EXPECT_LE(window.minimumSizeHint().width(), kUsableWidth)
            << window.objectName().toStdString();
        EXPECT_LE(window.width(), kUsableWidth) << window.objectName().toStdString();
    }

    void openOptions(std::unique_ptr<OptionsDialog>& window) {
        window = std::make_unique<OptionsDialog>(env.context, main->settings(), main.get());
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    std::unique_ptr<FormatDesigner> openDesigner() {
        auto designer = std::make_unique<FormatDesigner>(env.context);
        designer->show();
        QApplication::setActiveWindow(designer.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(designer.get()));
        EXPECT_TRUE(designer->load());
        return designer;
    }

    TableState m_tables;
};

class BadInput : public BadInputBase, public testing::WithParamInterface<BadText> {
protected:
    const QString& text() const { return GetParam().text; }
};
class BadNumbers : public BadInputBase {};

std::string nameOf(const testing::TestParamInfo<BadText>& info) { return info.param.name; }

// ------------------------------------------------------------ payee

TEST_P(BadInput, PayeeInTheMainWindowIsPrintedStoredOnceAndListedExactly) {
    openMain();
    setSetting(*main, &UserSettings::wordCase, QStringLiteral("UPPER CASE"));
    setSetting(*main, &UserSettings::clearData, 0);
    QLineEdit* payee = widget<QComboBox>(main, "cboRecipient")->lineEdit();
    enterText(payee, text());
    ASSERT_TRUE(sameText(widget<QComboBox>(main, "cboRecipient")->currentText(), text()));

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        env.printers.calls.clear();
        ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
            EXPECT_TRUE(sameText(chequeLabel(p, FieldRecipient)->text(), toUpperCase(text())));
            click(p, "cmdPrint");
            EXPECT_FALSE(p.isVisible());
        }));
        EXPECT_TRUE(env.dialogs.messages.empty()) << shown();
        EXPECT_TRUE(env.printers.printedTexts().contains(toUpperCase(text())));
        EXPECT_TRUE(sameText(widget<QComboBox>(main, "cboRecipient")->currentText(), text()));
    }
    // Stored by the first print only.
    EXPECT_TRUE(sameText(newestPayee(), text()));
    expectTablesIntact(1, 0);

    // The next start lists it, and the window stays usable.
    main.reset();
    openMain();
    EXPECT_GE(widget<QComboBox>(main, "cboRecipient")
                  ->findText(text(), Qt::MatchExactly | Qt::MatchCaseSensitive),
              0);
    expectUsableWidth(*main);
    std::unique_ptr<OptionsDialog> options;
    openOptions(options);
    auto* list = widget<QTreeWidget>(options, "LVRecipients");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_TRUE(sameText(list->topLevelItem(0)->text(1), text()));
    expectUsableWidth(*options);
}

TEST_P(BadInput, PayeeAddedInTheOptionsIsStoredAndListedExactly) {
    openMain();
    std::unique_ptr<OptionsDialog> options;
    openOptions(options);
    widget<QTabWidget>(options, "TabStrip1")->setCurrentIndex(1);
    QTest::mouseClick(widget<QPushButton>(options, "cmdAdd"), Qt::LeftButton);
    auto* name = widget<QLineEdit>(options, "txtName");
    ASSERT_TRUE(name->isEnabled());
    enterText(name, text());
    ASSERT_TRUE(sameText(name->text(), text()));
    QTest::keyClick(name, Qt::Key_Return);  // "Save recipient's name?" answered Yes

    ASSERT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("Save recipient's name?")});
    EXPECT_TRUE(sameText(newestPayee(), text()));
    auto* list = widget<QTreeWidget>(options, "LVRecipients");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_TRUE(sameText(list->topLevelItem(0)->text(1), text()));
    EXPECT_TRUE(sameText(name->text(), text()));
    expectUsableWidth(*options);

    // Deleting it by its list entry removes exactly that row.
    env.dialogs.clear();
    QTest::mouseClick(widget<QPushButton>(options, "cmdDelete"), Qt::LeftButton);
    ASSERT_EQ(env.dialogs.messages.size(), 1u);
    EXPECT_TRUE(
        sameText(env.dialogs.messages[0].text,
                 QStringLiteral("Are you sure you want to delete ") + text() + QLatin1Char('?')));
    EXPECT_EQ(list->topLevelItemCount(), 0);
    expectTablesIntact(0, 0);
}

// ------------------------------------------------------------ date format

TEST_P(BadInput, DateFormatIsStoredAndItsDateShownAsTheSampleAndThePreviewWriteIt) {
    openMain();
    std::unique_ptr<OptionsDialog> options;
    openOptions(options);
    auto* box = widget<QLineEdit>(options, "txtDate");
    enterText(box, text());
    QTest::keyClick(box, Qt::Key_Tab);
    ASSERT_TRUE(sameText(box->text(), text()));
    const QDate today = env.clock.now().date();
    const QString written = formatDateStyle(today, text(), QLocale());
    EXPECT_TRUE(sameText(widget<QLabel>(options, "lblSampleDate")->text(),
                         QStringLiteral("Date sample: \r\n") + written));
    expectUsableWidth(*options);

    QTest::mouseClick(widget<QPushButton>(options, "cmdOK"), Qt::LeftButton);
    EXPECT_TRUE(env.dialogs.messages.empty());
    EXPECT_TRUE(sameText(options->settings().dateFormat, text()));
    main->setSettings(options->settings());  // what the main window does with the answer
    EXPECT_TRUE(sameText(SettingsStore::read(env.db())->dateFormat, text()));
    expectTablesIntact(0, 0);

    // Opened again, the box holds the pattern; the preview writes the date with it.
    openOptions(options);
    EXPECT_TRUE(sameText(widget<QLineEdit>(options, "txtDate")->text(), text()));
    options.reset();
    widget<QDateEdit>(main, "DatePicker")->setDate(today);
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        EXPECT_TRUE(sameText(chequeLabel(p, FieldDate)->text(), written));
        click(p, "cmdPrint");
    }));
    EXPECT_TRUE(env.printers.printedTexts().contains(written));
}

// ------------------------------------------------------------ bank name and code

// What the code box makes of a text: at most 10 characters, blanks removed, each
// letter upper-cased on its own (a letter whose capital is two letters stays).
QString expectedCode(const QString& typed) {
    QString code;
    for (const QChar c : typed.left(10))
        if (c != QLatin1Char(' ')) code += c.isSurrogate() ? c : c.toUpper();
    return code;
}

TEST_P(BadInput, BankNameAndCodeAreStoredWithinTheirLimitsAndFoundAgainFromTheList) {
    auto designer = openDesigner();
    auto box = [&](const char* name) { return widget<QLineEdit>(designer, name); };
    QTest::mouseClick(widget<QPushButton>(designer, "cmdAdd"), Qt::LeftButton);
    enterText(box("txtBankName"), text());
    enterText(box("txtBankCode"), text());
    QTest::keyClick(box("txtBankCode"), Qt::Key_Tab);
    const QString name = box("txtBankName")->text();
    const QString code = box("txtBankCode")->text();
    EXPECT_LE(name.size(), 50);
    EXPECT_LE(code.size(), 10);
    EXPECT_TRUE(sameText(name, text().left(50)));
    EXPECT_TRUE(sameText(code, expectedCode(text())));
    enterText(box("txtChequeWidth"), QStringLiteral("7.25"));
    enterText(box("txtChequeHeight"), QStringLiteral("3"));
    QTest::mouseClick(widget<QPushButton>(designer, "cmdSave"), Qt::LeftButton);
    ASSERT_TRUE(env.dialogs.messages.empty()) << shown();

    const auto stored = ChequeFormatStore::findByCode(env.db(), code);
    ASSERT_TRUE(stored);
    EXPECT_TRUE(sameText(stored->bankName, name));
    EXPECT_TRUE(sameText(stored->bankCode, code));
    const QString entry = code + QStringLiteral(" - ") + name;
    auto* banks = widget<QComboBox>(designer, "cboBank");
    EXPECT_TRUE(sameText(banks->currentText(), entry));
    EXPECT_TRUE(sameText(box("txtBankName")->text(), name));  // read back through the entry
    expectTablesIntact(0, 1);

    // The same code again is refused.
    QTest::mouseClick(widget<QPushButton>(designer, "cmdAdd"), Qt::LeftButton);
    enterText(box("txtBankName"), QStringLiteral("Another"));
    enterText(box("txtBankCode"), text());
    QTest::mouseClick(widget<QPushButton>(designer, "cmdSave"), Qt::LeftButton);
    EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("Bank Code already exist.")});
    env.dialogs.clear();
    designer.reset();
    expectTablesIntact(0, 1);

    // Opened again, the designer finds the format from its entry; so does the preview.
    designer = openDesigner();
    banks = widget<QComboBox>(designer, "cboBank");
    const int index = banks->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(index, 0);
    banks->setCurrentIndex(index);
    EXPECT_TRUE(env.dialogs.messages.empty()) << shown();
    EXPECT_TRUE(sameText(box("txtBankCode")->text(), code));
    EXPECT_TRUE(sameText(box("txtBankName")->text(), name));
    expectUsableWidth(*designer);
    designer.reset();

    main = std::make_unique<MainWindow>(env.context);
    ASSERT_TRUE(main->load());
    main->show();
    const int mainIndex = widget<QComboBox>(main, "cboBank")
                              ->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(mainIndex, 0);
    widget<QComboBox>(main, "cboBank")->setCurrentIndex(mainIndex);
    widget<QLineEdit>(main, "txtAmount")->setText(QStringLiteral("5.00"));
    widget<QComboBox>(main, "cboRecipient")->setEditText(QStringLiteral("Payee"));
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        EXPECT_TRUE(sameText(child<QLabel>(p, "lblTitle")->text(),
                             QStringLiteral("Print Preview - ") + name));
        click(p, "cmdBack");
    }));
    EXPECT_TRUE(env.dialogs.messages.empty()) << shown();
}

// ------------------------------------------------------------ inch boxes

TEST_P(BadInput, InchBoxesKeepTheirLimitAndRefuseTextThatIsNoNumber) {
    auto designer = openDesigner();
    auto* edit = widget<QPushButton>(designer, "cmdEdit");
    auto* save = widget<QPushButton>(designer, "cmdSave");
    // Saved once untouched: the sizes are kept in hundredths of an inch.
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::mouseClick(save, Qt::LeftButton);
    const ChequeFormat before = *ChequeFormatStore::findByCode(env.db(), QStringLiteral("TB"));
    QTest::mouseClick(edit, Qt::LeftButton);
    for (const char* name :
         {"txtXLeft", "txtYTop", "txtWidth", "txtChequeWidth", "txtChequeHeight"}) {
        SCOPED_TRACE(name);
        auto* box = widget<QLineEdit>(designer, name);
        const QString shown = box->text();
        enterText(box, text());
        EXPECT_LE(box->text().size(), 10);
        EXPECT_TRUE(sameText(box->text(), text().left(10)));
        QTest::keyClick(box, Qt::Key_Tab);
        EXPECT_EQ(box->text(), shown);  // not a number: the value it had comes back
    }
    EXPECT_TRUE(env.dialogs.messages.empty()) << shown();
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_TRUE(env.dialogs.messages.empty()) << shown();
    const ChequeFormat after = *ChequeFormatStore::findByCode(env.db(), QStringLiteral("TB"));
    EXPECT_EQ(after.chequeWidth, before.chequeWidth);
    EXPECT_EQ(after.chequeHeight, before.chequeHeight);
    EXPECT_TRUE(after.fields == before.fields);
    expectTablesIntact(0, 0);
}

// ------------------------------------------------------------ amount

TEST_P(BadInput, AmountThatIsNoNumberIsRefusedWithAMessageAndKept) {
    openMain();
    const int payees = payeeCount();
    QLineEdit* amount = widget<QLineEdit>(main, "txtAmount");
    pasteText(amount, text());
    QTest::keyClick(amount, Qt::Key_Tab);
    ASSERT_TRUE(sameText(amount->text(), text()));  // not a number: left as it is
    QTest::mouseClick(widget<QPushButton>(main, "cmdPrint"), Qt::LeftButton);
    EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("Invalid amount.")});
    EXPECT_TRUE(env.dialogs.modalWindows.empty());
    EXPECT_TRUE(sameText(amount->text(), text()));
    EXPECT_EQ(payeeCount(), payees);

    // Typed key by key, no key but a digit, "." or "," gets in.
    amount->setFocus();
    amount->clear();
    if (typeable(text().left(200))) QTest::keyClicks(amount, text().left(200));
    for (const QChar c : amount->text())
        EXPECT_TRUE((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
                    c == QLatin1Char(','))
            << static_cast<int>(c.unicode());
    expectTablesIntact(0, 0);
}

// A printer name typed into the preview's list never reaches the print system:
// a name that is not installed prints on the first printer.
TEST_P(BadInput, PrinterNameTypedInThePreviewPrintsOnTheFirstPrinter) {
    openMain();
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        auto* printers = widget<QComboBox>(p, "cboPrinterName");
        enterText(printers->lineEdit(), text());
        EXPECT_TRUE(sameText(printers->currentText(), text()));
        click(p, "cmdPrint");
        EXPECT_FALSE(p.isVisible());
    }));
    EXPECT_TRUE(env.dialogs.messages.empty()) << shown();
    EXPECT_EQ(env.printers.madeCurrent.at(0), 0);
    EXPECT_EQ(env.printers.documentsEnded, 1);
    expectTablesIntact(1, 0);
}

INSTANTIATE_TEST_SUITE_P(Texts, BadInput, testing::ValuesIn(badTexts()), nameOf);

// Numbers in disguise in an inch box: what reads as a number of inches the box
// can show is taken and rewritten, everything else gives back the old value.
TEST_F(BadNumbers, InchBoxesTakeOnlyNumbersTheyCanShow) {
    struct Case {
        const char* typed;
        const char* size;   // what a cheque size box shows; nullptr: refused, the old text is back
        const char* field;  // what a field's box shows (positions are single precision)
    };
    const Case cases[] = {
        {" 2.5 ", "2.50", "2.50"},
        {"+1.5", "1.50", "1.50"},
        {"1e1", "10.00", "10.00"},
        {"1000", "1000.00", "1000.00"},
        {"9999999.99", "9999999.99", nullptr},
        {"1e9", nullptr, nullptr},
        {"9999999999", nullptr, nullptr},
        {"1e35", nullptr, nullptr},
        {"nan", nullptr, nullptr},
        {"inf", nullptr, nullptr},
        {"-inf", nullptr, nullptr},
        {"0x10", nullptr, nullptr},
        {"1,5", nullptr, nullptr},
        {"2.5.1", nullptr, nullptr},
        {"\xef\xbc\x91.\xef\xbc\x95", nullptr, nullptr},  // full-width digits
        {"\xd9\xa1\xd9\xab\xd9\xa5", nullptr, nullptr},   // Arabic-Indic digits
    };
    auto designer = openDesigner();
    QTest::mouseClick(widget<QPushButton>(designer, "cmdEdit"), Qt::LeftButton);
    for (const char* name : {"txtXLeft", "txtChequeWidth"}) {
        const bool field = name == std::string("txtXLeft");
        auto* box = widget<QLineEdit>(designer, name);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << name << " " << c.typed);
            const QString old = box->text();
            pasteText(box, QString::fromUtf8(c.typed));
            QTest::keyClick(box, Qt::Key_Tab);
            const char* shown = field ? c.field : c.size;
            EXPECT_EQ(box->text(), shown ? QString::fromLatin1(shown) : old);
            if (field) {
                const float left = designer->model().labels()[FieldDate].left;
                EXPECT_EQ(units::twipsToInchText(left), box->text());  // shown as held
            }
        }
    }
    EXPECT_TRUE(env.dialogs.messages.empty()) << shown();
}

// Codes whose letters have capitals of another length, and names cut at the
// box's limit in the middle of a letter: the limits hold and the code is found
// again from its list entry.
TEST_F(BadNumbers, BankCodesKeepTheirLengthAndNamesAreCutOnWholeLetters) {
    struct Case {
        const char* typedCode;
        const char* code;
    };
    const Case cases[] = {
        {"stra\xc3\x9f"
         "e",
         "STRA\xc3\x9f"
         "E"},
        {"\xc3\x9f\xc3\x9f\xc3\x9f\xc3\x9f\xc3\x9f\xc3\x9f\xc3\x9f\xc3\x9f\xc3\x9f\xc3\x9f",
         "\xc3\x9f\xc3\x9f\xc3\x9f\xc3\x9f\xc3\x9f\xc3\x9f\xc3\x9f\xc3\x9f\xc3\x9f\xc3\x9f"},
        {"\xef\xac\x81x \xc5\x89",
         "\xef\xac\x81X\xc5\x89"},  // ligature fi, n preceded by apostrophe
        {"\xf0\x90\x90\xa8"
         "b",
         "\xf0\x90\x90\x80"
         "B"},  // Deseret letter: a pair of halves
    };
    auto designer = openDesigner();
    auto box = [&](const char* name) { return widget<QLineEdit>(designer, name); };
    auto* banks = widget<QComboBox>(designer, "cboBank");
    // 49 letters and a letter made of two halves: the 50th character is half a letter.
    const QString name = QString(49, QLatin1Char('N')) + QString::fromUtf8("\xf0\x9f\x98\x80");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typedCode);
        QTest::mouseClick(widget<QPushButton>(designer, "cmdAdd"), Qt::LeftButton);
        pasteText(box("txtBankName"), name);
        pasteText(box("txtBankCode"), QString::fromUtf8(c.typedCode));
        QTest::keyClick(box("txtBankCode"), Qt::Key_Tab);
        const QString code = QString::fromUtf8(c.code);
        EXPECT_EQ(box("txtBankCode")->text(), code);
        EXPECT_LE(box("txtBankCode")->text().size(), 10);
        pasteText(box("txtChequeWidth"), QStringLiteral("7"));
        QTest::mouseClick(widget<QPushButton>(designer, "cmdSave"), Qt::LeftButton);
        EXPECT_TRUE(env.dialogs.messages.empty()) << shown();
        env.dialogs.clear();
        const auto stored = ChequeFormatStore::findByCode(env.db(), code);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->bankName, QString(49, QLatin1Char('N')));  // the cut letter dropped
        EXPECT_EQ(stored->bankName, box("txtBankName")->text());
        EXPECT_TRUE(
            sameText(banks->currentText(), code + QStringLiteral(" - ") + stored->bankName));
    }
    expectTablesIntact(0, std::size(cases));
}

// The 10,000-character payee through the real page writer: the page is written
// and starts with the payee where the field is.
TEST_F(BadNumbers, ALongPayeeIsWrittenOnThePage) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("cheque.pdf"));
    QtPrinterService service(QtPrinterService::PdfFile{pdf, {}});
    env.context.printers = &service;
    openMain();
    setSetting(*main, &UserSettings::wordCase, QStringLiteral("Proper Case"));
    pasteText(widget<QComboBox>(main, "cboRecipient")->lineEdit(), longBadText());
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        EXPECT_TRUE(
            sameText(chequeLabel(p, FieldRecipient)->text(), toProperCaseName(longBadText())));
        click(p, "cmdPrint");
        EXPECT_FALSE(p.isVisible());
    }));
    env.context.printers = &env.printers;
    EXPECT_TRUE(env.dialogs.messages.empty()) << shown();
    const PdfWords page = PdfWords::read(pdf);
    ASSERT_TRUE(page.ok) << page.error.toStdString();
    const QString firstWord = toProperCaseName(longBadText()).section(QLatin1Char(' '), 0, 0);
    const PdfWords::Word* first = page.find(firstWord);
    ASSERT_NE(first, nullptr) << firstWord.toStdString() << " among " << page.words.size()
                              << " words";
    const ChequeFormat f = testFormat();
    EXPECT_NEAR(first->xMin, (f.fields[FieldRecipient].left + f.chequeLeft) / 20.0, 1.0);
    expectTablesIntact(1, 0);
}

// An amount too long to spell is kept exactly in the box and refused before the
// preview opens: the limit message once, the focus back in the amount box.
TEST_F(BadNumbers, ATenThousandDigitAmountIsKeptExactAndRefusedBeforeThePreview) {
    openMain();
    const QString digits(10000, QLatin1Char('7'));
    auto* box = widget<QLineEdit>(main, "txtAmount");
    pasteText(box, digits);
    QTest::keyClick(box, Qt::Key_Tab);
    const QString amount = box->text();
    EXPECT_EQ(amount.size(), 10000 + 3333 + 3);
    EXPECT_TRUE(amount.endsWith(QStringLiteral("777,777.00")));
    EXPECT_EQ(QString(amount).remove(QLatin1Char(',')).remove(QStringLiteral(".00")), digits);
    EXPECT_FALSE(pressPrint([&](PrintPreviewDialog&) {}));
    ASSERT_EQ(env.dialogs.messages.size(), 1u);
    EXPECT_EQ(env.dialogs.messages[0].text,
              QStringLiteral("Invalid amount. Amount can't exceed trillion value."));
    EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Error"));
    EXPECT_EQ(env.dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(box->text(), amount);
    EXPECT_TRUE(env.printers.calls.empty());
}

}  // namespace
