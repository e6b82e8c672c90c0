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
                   {A, B, C},
                   B,
                   2,
                   0,
                   QStringLiteral("[Default]"),
                   true,
                   1,
                   0},
        SelectCase{"a name matching the second printer remembers the current one",
                   {A, B, C},
                   A,
                   2,
                   0,
                   B,
                   true,
                   1,
                   2},
        SelectCase{"an unknown name, or one in another letter case, selects the first printer",
                   {A, B, C},
                   C,
                   1,
                   0,
                   QStringLiteral("[default]"),
                   true,
                   0,
                   1},
        SelectCase{"of two printers with the same name the first is used",
                   {A, B, B, C},
                   A,
                   3,
                   0,
                   B,
                   true,
                   1,
                   3},
        SelectCase{"a current printer not in the list keeps the remembered index",
                   {A, B, C},
                   A,
                   7,
                   2,
                   B,
                   true,
                   1,
                   2},
        SelectCase{
            "no printer installed: nothing can be selected", {}, QString(), -1, 0, A, false, -1, 0},
        SelectCase{"default asked for while the default is not in the list",
                   {A, B},
                   C,
                   1,
                   0,
                   QStringLiteral("[Default]"),
                   false,
                   1,
                   0},
        SelectCase{"default asked for while there is no default printer",
                   {A, B},
                   QString(),
                   1,
                   0,
                   QStringLiteral("[Default]"),
                   false,
                   1,
                   0}));

// Restoring makes the printer remembered by the last selection by name current
// again, unless it was removed since.
TEST(RestorePrinter, MakesTheRememberedPrinterCurrentAgain) {
    Selection s({A, B, C}, C, 0);
    // current before, selected, current while, current after restoring
    const std::tuple<int, QString, int, int> steps[] = {{0, QStringLiteral("[Default]"), 2, 0},
                                                        {1, A, 0, 1},
                                                        {1, QStringLiteral("[Default]"), 2, 1}};
    for (const auto& [before, name, during, after] : steps) {
        s.printers.current = before;
        ASSERT_TRUE(PrinterSelection::selectPrinter(s.context, name));
        EXPECT_EQ(s.printers.current, during) << name.toStdString();
        PrinterSelection::restorePrinter(s.context);
        EXPECT_EQ(s.printers.current, after) << name.toStdString();
    }
    ASSERT_TRUE(PrinterSelection::selectPrinter(s.context, A));
    s.printers.names = {A};
    s.printers.madeCurrent.clear();
    PrinterSelection::restorePrinter(s.context);
    EXPECT_TRUE(s.printers.madeCurrent.empty());
    EXPECT_EQ(PrinterSelection::comboItems(s.printers),
              (QStringList{QStringLiteral("[Default]"), A}));
}

}  // namespace
