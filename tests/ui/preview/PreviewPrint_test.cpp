#include "PreviewFixture.h"

#include "store/CompanyStore.h"
#include "support/Widgets.h"

namespace {

class PreviewPrint : public PreviewFixture {
protected:
    void openMainForPrint() {
        openMain();
        setSetting(*main, &UserSettings::wordCase, QStringLiteral("UPPER CASE"));
        setSetting(*main, &UserSettings::saveChange, 1);
        setSetting(*main, &UserSettings::clearData, 0);
    }

    // Opens the preview, presses its Print and returns whether it closed.
    bool printFromPreview(const std::function<void(PrintPreviewDialog&)>& before = {}) {
        bool closed = false;
        EXPECT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
            if (before) before(p);
            click(p, "cmdPrint");
            closed = !p.isVisible() && p.result() == QDialog::Accepted;
        }));
        return closed;
    }

    struct Printed {
        QString text;
        double x, y;
        FontSpec font;
    };
    std::vector<Printed> printed() const {
        std::vector<Printed> out;
        for (const auto& c : env.printers.callsOf(QStringLiteral("text")))
            out.push_back({c.text, c.x, c.y, c.font});
        return out;
    }
    QStringList ops() const {
        QStringList out;
        for (const auto& c : env.printers.calls)
            if (out.isEmpty() || out.last() != c.op) out << c.op;
        return out;
    }
};

TEST_F(PreviewPrint, PrintsEveryFieldShiftedByTheChequeOffsetInTheJobOrder) {
    openMainForPrint();
    ASSERT_TRUE(printFromPreview());
    EXPECT_TRUE(env.dialogs.messages.empty()) << env.dialogs.texts().join(QLatin1Char('|')).toStdString();

    // Selected by name (entry 1), then the printer current before is restored.
    EXPECT_EQ(env.printers.madeCurrent, (std::vector<int>{1, 0}));
    EXPECT_EQ(env.context.rememberedPrinterIndex, 0);
    EXPECT_EQ(ops(), (QStringList{QStringLiteral("orientation"), QStringLiteral("paperA4"),
                                  QStringLiteral("font"), QStringLiteral("text"),
                                  QStringLiteral("font"), QStringLiteral("text"),
                                  QStringLiteral("font"), QStringLiteral("text"),
                                  QStringLiteral("font"), QStringLiteral("text"),
                                  QStringLiteral("font"), QStringLiteral("text"),
                                  QStringLiteral("end")}));
    EXPECT_EQ(env.printers.callsOf(QStringLiteral("orientation")).at(0).code, 1);
    EXPECT_EQ(env.printers.documentsEnded, 1);

    const ChequeFormat f = testFormat();
    const auto texts = printed();
    ASSERT_EQ(texts.size(), 5u);
    const QString expected[] = {QStringLiteral("05-12-2026"), QStringLiteral("ACME TRADING"),
                                QStringLiteral("1,234.50"), QStringLiteral(" ONE THOUSAND TWO"),
                                QStringLiteral(" HUNDRED THIRTY FOUR AND CENTS FIFTY ONLY.")};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const FieldGeometry& g = f.fields[static_cast<size_t>(i)];
        EXPECT_EQ(texts[i].text, expected[i]);
        EXPECT_DOUBLE_EQ(texts[i].x, static_cast<float>(g.left + f.chequeLeft));
        EXPECT_DOUBLE_EQ(texts[i].y, static_cast<float>(g.top + f.chequeTop));
        EXPECT_EQ(texts[i].font, f.fonts[static_cast<size_t>(i)]);
    }
}

struct JobCase {
    int dateType;
    bool printDate;
    QString orientation;
    QStringList texts;
    int orientationCode;
};

void PrintTo(const JobCase& c, std::ostream* os) {
    *os << "type " << c.dateType << (c.printDate ? " printed" : " not printed")
        << " orientation " << c.orientation.toStdString();
}

class PreviewJobs : public PreviewPrint, public testing::WithParamInterface<JobCase> {};

TEST_P(PreviewJobs, PrintTheDateFieldsOfTheDateTypeAndTheFormatsOrientation) {
    ChequeFormat f = testFormat();
    f.dateType = GetParam().dateType;
    f.orientation = GetParam().orientation;
    storeFormat(f);
    openMainForPrint();
    widget<QCheckBox>(main, "chkPrintDate")->setChecked(GetParam().printDate);
    ASSERT_TRUE(printFromPreview());
    QStringList texts;
    for (const auto& p : printed()) texts << p.text;
    EXPECT_EQ(texts.mid(0, texts.size() - 4), GetParam().texts);
    EXPECT_EQ(texts.mid(texts.size() - 4, 2),
              (QStringList{QStringLiteral("ACME TRADING"), QStringLiteral("1,234.50")}));
    EXPECT_EQ(env.printers.callsOf(QStringLiteral("orientation")).at(0).code,
              GetParam().orientationCode);
    // The digit boxes print in the shared digit font.
    for (const auto& p : printed()) {
        if (p.text.size() == 1) {
            EXPECT_EQ(p.font, f.sdateFont);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    DateTypesAndOrientations, PreviewJobs,
    testing::Values(
        JobCase{0, true, QStringLiteral("L"), {QStringLiteral("05-12-2026")}, 1},
        JobCase{1, true, QStringLiteral("P"),
                QStringList{QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("1"),
                            QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("6")},
                2},
        JobCase{2, true, QStringLiteral("L"),
                QStringList{QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("1"),
                            QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("0"),
                            QStringLiteral("2"), QStringLiteral("6")},
                1},
        JobCase{0, false, QStringLiteral("P"), {}, 2},
        JobCase{2, false, QStringLiteral("x"), {}, 2}));

struct AfterPrintCase {
    int clearData;
    int saveChange;
};

void PrintTo(const AfterPrintCase& c, std::ostream* os) {
    *os << "ClearData " << c.clearData << " SaveChange " << c.saveChange;
}

class PreviewAfterPrint : public PreviewPrint, public testing::WithParamInterface<AfterPrintCase> {};

TEST_P(PreviewAfterPrint, StoresANewPayeeOnceClearsWhenAskedAndHandsTheCaseBack) {
    openMainForPrint();
    setSetting(*main, &UserSettings::clearData, GetParam().clearData);
    setSetting(*main, &UserSettings::saveChange, GetParam().saveChange);
    const int before = payeeCount();
    ASSERT_TRUE(printFromPreview([&](PrintPreviewDialog& p) { click(p, "optProperCase"); }));

    EXPECT_EQ(payeeCount(), before + 1);
    EXPECT_TRUE(CompanyStore::exists(env.db(), QStringLiteral("acme trading")));
    EXPECT_EQ(widget<QComboBox>(main, "cboRecipient")->itemText(widget<QComboBox>(main, "cboRecipient")->count() - 1),
              QStringLiteral("acme trading"));
    const bool cleared = GetParam().clearData != 0;
    EXPECT_EQ(widget<QComboBox>(main, "cboRecipient")->currentText(),
              cleared ? QString() : QStringLiteral("acme trading"));
    EXPECT_EQ(widget<QLineEdit>(main, "txtAmount")->text(), cleared ? QString() : QStringLiteral("1,234.50"));
    EXPECT_EQ(main->settings().wordCase, GetParam().saveChange ? QStringLiteral("Proper Case")
                                                    : QStringLiteral("UPPER CASE"));

    // The same payee again is not stored a second time.
    widget<QComboBox>(main, "cboRecipient")->setEditText(QStringLiteral("acme trading"));
    widget<QLineEdit>(main, "txtAmount")->setText(QStringLiteral("5.00"));
    ASSERT_TRUE(printFromPreview());
    EXPECT_EQ(payeeCount(), before + 1);
    EXPECT_EQ(env.printers.documentsEnded, 2);
}

INSTANTIATE_TEST_SUITE_P(Settings, PreviewAfterPrint,
                         testing::Values(AfterPrintCase{1, 1}, AfterPrintCase{0, 1},
                                         AfterPrintCase{1, 0}, AfterPrintCase{0, 0}));

TEST_F(PreviewPrint, AFailedJobShowsWhyAndKeepsThePreviewAndEverythingElse) {
    openMainForPrint();
    setSetting(*main, &UserSettings::clearData, 1);
    const int before = payeeCount();
    env.printers.failEndWith = QStringLiteral("The printer is out of paper.");
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        click(p, "cmdPrint");
        ASSERT_EQ(env.dialogs.messages.size(), 1u);
        EXPECT_EQ(env.dialogs.messages[0].text,
                  QStringLiteral("The cheque was not printed.\r\nThe printer is out of paper."));
        EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Error"));
        EXPECT_EQ(env.dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
        EXPECT_TRUE(p.isVisible());
        EXPECT_EQ(payeeCount(), before);
        EXPECT_EQ(widget<QComboBox>(main, "cboRecipient")->currentText(), QStringLiteral("acme trading"));
        EXPECT_EQ(widget<QLineEdit>(main, "txtAmount")->text(), QStringLiteral("1,234.50"));
        EXPECT_EQ(env.printers.madeCurrent, (std::vector<int>{1, 0}));
        EXPECT_FALSE(env.printers.callsOf(QStringLiteral("abort")).empty());

        // A second try prints at the same places: the first did not move the fields.
        const auto first = printed();
        env.printers.calls.clear();
        env.printers.failEndWith.clear();
        click(p, "cmdPrint");
        const auto second = printed();
        ASSERT_EQ(first.size(), second.size());
        for (size_t i = 0; i < first.size(); ++i) {
            EXPECT_EQ(first[i].x, second[i].x) << i;
            EXPECT_EQ(first[i].y, second[i].y) << i;
        }
        EXPECT_FALSE(p.isVisible());
    }));
    EXPECT_EQ(payeeCount(), before + 1);
    EXPECT_EQ(widget<QLineEdit>(main, "txtAmount")->text(), QString());
}

TEST_F(PreviewPrint, NoPrinterAvailableAbandonsTheJobAndKeepsThePreview) {
    struct NoPrinter {
        QStringList names;
        QString defaultName;
        QString formatPrinter;
    };
    const NoPrinter cases[] = {
        {{}, QString(), QStringLiteral("Cheque-Printer")},
        {{}, QString(), QStringLiteral("[Default]")},
        {{QStringLiteral("Office-Laser")}, QStringLiteral("Gone-Default"), QStringLiteral("[Default]")},
    };
    for (const NoPrinter& c : cases) {
        SCOPED_TRACE(c.formatPrinter.toStdString());
        ChequeFormat f = testFormat();
        f.printerName = c.formatPrinter;
        storeFormat(f);
        env.printers.names = c.names;
        env.printers.defaultName = c.defaultName;
        env.printers.calls.clear();
        env.dialogs.clear();
        openMainForPrint();
        const int before = payeeCount();
        ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
            click(p, "cmdPrint");
            EXPECT_TRUE(p.isVisible());
            click(p, "cmdBack");
        }));
        ASSERT_EQ(env.dialogs.messages.size(), 1u);
        EXPECT_EQ(env.dialogs.messages[0].text, QStringLiteral("No printer is available."));
        EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Error"));
        EXPECT_EQ(env.dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
        EXPECT_TRUE(env.printers.calls.empty());
        EXPECT_EQ(payeeCount(), before);
    }
}

TEST_F(PreviewPrint, ThePrinterComboDecidesThePrinter) {
    struct PrinterCase {
        QString formatPrinter;
        QString picked;  // empty: left as the format says
        QString defaultName;
        std::vector<int> madeCurrent;
    };
    const PrinterCase cases[] = {
        // The default printer is made current; the remembered index is not changed.
        {QStringLiteral("[Default]"), {}, QStringLiteral("Cheque-Printer"), {1, 0}},
        // A printer that is not installed prints on the first printer.
        {QStringLiteral("Gone-Printer"), {}, QStringLiteral("Office-Laser"), {0, 0}},
        {QStringLiteral("Cheque-Printer"), QStringLiteral("Office-Laser"),
         QStringLiteral("Office-Laser"), {0, 0}},
        {QStringLiteral("Office-Laser"), QStringLiteral("[Default]"),
         QStringLiteral("Cheque-Printer"), {1, 0}},
    };
    for (const PrinterCase& c : cases) {
        SCOPED_TRACE(c.formatPrinter.toStdString() + " / " + c.picked.toStdString());
        ChequeFormat f = testFormat();
        f.printerName = c.formatPrinter;
        storeFormat(f);
        env.printers.defaultName = c.defaultName;
        env.printers.current = 0;
        env.printers.madeCurrent.clear();
        env.context.rememberedPrinterIndex = 0;
        openMainForPrint();
        ASSERT_TRUE(printFromPreview([&](PrintPreviewDialog& p) {
            QComboBox* combo = widget<QComboBox>(p, "cboPrinterName");
            EXPECT_EQ(combo->currentText(), c.formatPrinter);
            if (!c.picked.isEmpty()) pick(combo, c.picked);
        }));
        EXPECT_EQ(env.printers.madeCurrent, c.madeCurrent);
    }
}

}  // namespace
