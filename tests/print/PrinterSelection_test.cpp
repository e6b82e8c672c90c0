#include <gtest/gtest.h>

#include "platform/AppContext.h"
#include "print/PrinterSelection.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinterService.h"

namespace {

struct Selection {
    FakePrinterService printers;
    AppContext context;

    Selection(QStringList names, QString defaultName, int current) {
        printers.names = std::move(names);
        printers.defaultName = std::move(defaultName);
        printers.current = current;
        context.printers = &printers;
    }
};

struct SelectCase {
    const char* what;
    QStringList names;
    QString defaultName;
    int currentBefore;
    int rememberedBefore;
    QString asked;
    bool selected;
    int currentAfter;
    int rememberedAfter;
};

void PrintTo(const SelectCase& c, std::ostream* os) { *os << c.what; }

class SelectPrinterTest : public testing::TestWithParam<SelectCase> {};

TEST_P(SelectPrinterTest, MakesTheRightPrinterCurrentAndRemembersThePreviousOne) {
    const SelectCase& c = GetParam();
    Selection s(c.names, c.defaultName, c.currentBefore);
    s.context.rememberedPrinterIndex = static_cast<std::int16_t>(c.rememberedBefore);

    EXPECT_EQ(PrinterSelection::selectPrinter(s.context, c.asked), c.selected) << c.what;
    EXPECT_EQ(s.printers.current, c.currentAfter) << c.what;
    EXPECT_EQ(s.context.rememberedPrinterIndex, c.rememberedAfter) << c.what;
    if (!c.selected) {
        EXPECT_TRUE(s.printers.madeCurrent.empty()) << c.what;
    }
}

const QString A = QStringLiteral("Office-Laser");
const QString B = QStringLiteral("Cheque-Printer");
const QString C = QStringLiteral("Back-Room");

INSTANTIATE_TEST_SUITE_P(
    Cases, SelectPrinterTest,
    testing::Values(
        SelectCase{"default in the list: it becomes current, the index is kept",
                   {A, B, C}, B, 2, 0, QStringLiteral("[Default]"), true, 1, 0},
        SelectCase{"a name matching the second printer remembers the current one",
                   {A, B, C}, A, 2, 0, B, true, 1, 2},
        SelectCase{"an unknown name selects the first printer",
                   {A, B, C}, A, 1, 0, QStringLiteral("Gone-Printer"), true, 0, 1},
        SelectCase{"the pseudo-name in other case is an ordinary (unknown) name",
                   {A, B, C}, C, 1, 0, QStringLiteral("[default]"), true, 0, 1},
        SelectCase{"a pseudo-name in other case that is a printer's name selects it",
                   {A, QStringLiteral("[DEFAULT]"), C}, C, 0, 0, QStringLiteral("[DEFAULT]"),
                   true, 1, 0},
        SelectCase{"names are compared case-sensitively",
                   {A, B, C}, A, 2, 0, QStringLiteral("cheque-printer"), true, 0, 2},
        SelectCase{"of two printers with the same name the first is used",
                   {A, B, B, C}, A, 3, 0, B, true, 1, 3},
        SelectCase{"the current printer's index is its first occurrence",
                   {A, B, B, C}, A, 2, 0, C, true, 3, 1},
        SelectCase{"a current printer not in the list keeps the remembered index",
                   {A, B, C}, A, 7, 2, B, true, 1, 2},
        SelectCase{"no printer installed: nothing can be selected",
                   {}, QString(), -1, 0, A, false, -1, 0},
        SelectCase{"default asked for with no printer installed",
                   {}, QString(), -1, 1, QStringLiteral("[Default]"), false, -1, 1},
        SelectCase{"default asked for while the default is not in the list",
                   {A, B}, C, 1, 0, QStringLiteral("[Default]"), false, 1, 0},
        SelectCase{"default asked for while there is no default printer",
                   {A, B}, QString(), 1, 0, QStringLiteral("[Default]"), false, 1, 0},
        SelectCase{"a duplicated default printer resolves to its first entry",
                   {A, C, C}, C, 0, 0, QStringLiteral("[Default]"), true, 1, 0}));

TEST(RestorePrinter, MakesTheRememberedPrinterCurrentAgain) {
    Selection s({A, B, C}, A, 2);
    ASSERT_TRUE(PrinterSelection::selectPrinter(s.context, B));
    EXPECT_EQ(s.printers.current, 1);
    PrinterSelection::restorePrinter(s.context);
    EXPECT_EQ(s.printers.current, 2);
}

TEST(RestorePrinter, AfterADefaultSelectionRestoresTheLastSelectionByName) {
    Selection s({A, B, C}, C, 0);
    // Nothing selected by name yet: entry 0.
    ASSERT_TRUE(PrinterSelection::selectPrinter(s.context, QStringLiteral("[Default]")));
    EXPECT_EQ(s.printers.current, 2);
    PrinterSelection::restorePrinter(s.context);
    EXPECT_EQ(s.printers.current, 0);

    s.printers.current = 1;
    ASSERT_TRUE(PrinterSelection::selectPrinter(s.context, A));
    PrinterSelection::restorePrinter(s.context);
    EXPECT_EQ(s.printers.current, 1);
    ASSERT_TRUE(PrinterSelection::selectPrinter(s.context, QStringLiteral("[Default]")));
    EXPECT_EQ(s.printers.current, 2);
    PrinterSelection::restorePrinter(s.context);
    EXPECT_EQ(s.printers.current, 1);
}

TEST(RestorePrinter, LeavesTheCurrentPrinterWhenTheRememberedOneWasRemoved) {
    Selection s({A, B, C}, A, 2);
    ASSERT_TRUE(PrinterSelection::selectPrinter(s.context, A));
    s.printers.names = {A};
    s.printers.madeCurrent.clear();
    PrinterSelection::restorePrinter(s.context);
    EXPECT_TRUE(s.printers.madeCurrent.empty());
    EXPECT_EQ(s.printers.current, 0);
}

TEST(FindDefaultPrinter, MatchesTheDeviceNameExactly) {
    Selection s({A, B, C}, B, 0);
    EXPECT_EQ(PrinterSelection::findDefaultPrinter(s.printers), 1);
    s.printers.defaultName = QStringLiteral("cheque-printer");
    EXPECT_EQ(PrinterSelection::findDefaultPrinter(s.printers), std::nullopt);
    s.printers.defaultName.clear();
    EXPECT_EQ(PrinterSelection::findDefaultPrinter(s.printers), std::nullopt);
}

TEST(PrinterComboItems, DefaultFirstThenEveryPrinterInListOrder) {
    Selection s({C, A, C, B}, A, 0);
    EXPECT_EQ(PrinterSelection::comboItems(s.printers),
              (QStringList{QStringLiteral("[Default]"), C, A, C, B}));
    s.printers.names.clear();
    EXPECT_EQ(PrinterSelection::comboItems(s.printers), QStringList{QStringLiteral("[Default]")});
}

TEST(NoPrinterMessage, IsTheErrorMessageWithTheExclamationIcon) {
    FakeDialogs dialogs;
    PrinterSelection::reportNoPrinter(dialogs);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("No printer is available."));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Error"));
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(dialogs.messages[0].buttons, Dialogs::Buttons::Ok);
}

}  // namespace
