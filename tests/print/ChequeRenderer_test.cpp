#include <gtest/gtest.h>

#include <vector>

#include "core/FieldLabelSet.h"
#include "print/ChequeRenderer.h"
#include "support/FakePrinterService.h"

namespace {

// Every field with its own position, font and caption "F<index>".
FieldLabelSet numberedLabels() {
    FieldLabelSet labels;
    for (int i = 0; i < kFieldCount; ++i) {
        FieldLabel& l = labels[i];
        l.left = 100.0f * i + 0.5f;
        l.top = 1000.0f + 37.25f * i;
        l.width = 500;
        l.caption = QStringLiteral("F%1").arg(i);
        l.font = {i % 2 ? QStringLiteral("Arial") : QStringLiteral("Courier New"),
                  8.0f + static_cast<float>(i), i == FieldAmount};  // bold carries over to none
        l.visible = i < 5;  // hidden or not, the renderer prints what it is asked to
    }
    return labels;
}

struct OrderCase {
    int dateType;
    bool printDate;
    std::vector<int> fields;
};

void PrintTo(const OrderCase& c, std::ostream* os) {
    *os << "type " << c.dateType << (c.printDate ? " printed" : " not printed");
}

class PrintChequeFieldsOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(PrintChequeFieldsOrder, PrintsTheFieldsOfTheDateTypeThenPayeeAmountAndWords) {
    const OrderCase& c = GetParam();
    const FieldLabelSet labels = numberedLabels();
    FakePrinterService printer;
    ChequeRenderer::printChequeFields(printer, c.dateType, c.printDate, labels);

    const auto texts = printer.callsOf(QStringLiteral("text"));
    ASSERT_EQ(texts.size(), c.fields.size());
    for (size_t k = 0; k < c.fields.size(); ++k) {
        const FieldLabel& expected = labels[c.fields[k]];
        SCOPED_TRACE(testing::Message() << "print " << k << " field " << c.fields[k]);
        EXPECT_EQ(texts[k].text, expected.caption);
        EXPECT_DOUBLE_EQ(texts[k].x, expected.left);
        EXPECT_DOUBLE_EQ(texts[k].y, expected.top);
        EXPECT_EQ(texts[k].font, expected.font);
    }
    // Nothing but fonts and texts: the caller owns the page and the document.
    for (const auto& call : printer.calls)
        EXPECT_TRUE(call.op == QStringLiteral("font") || call.op == QStringLiteral("text"))
            << call.op.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    DateTypes, PrintChequeFieldsOrder,
    testing::Values(OrderCase{0, true, {0, 1, 2, 3, 4}},
                    OrderCase{1, true, {5, 6, 7, 8, 11, 12, 1, 2, 3, 4}},
                    OrderCase{2, true, {5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3, 4}},
                    OrderCase{-1, true, {1, 2, 3, 4}}, OrderCase{2, false, {1, 2, 3, 4}}));

TEST(ShiftedLabels, MoveEveryFieldInSinglePrecisionAndLeaveTheOriginal) {
    const FieldLabelSet labels = numberedLabels();
    const FieldLabelSet moved = ChequeRenderer::shifted(labels, -120.5, 43.199999999999996);
    for (int i = 0; i < kFieldCount; ++i) {
        EXPECT_EQ(moved[i].left, static_cast<float>(labels[i].left + -120.5));
        EXPECT_EQ(moved[i].top, static_cast<float>(labels[i].top + 43.199999999999996));
        EXPECT_EQ(moved[i].caption, labels[i].caption);
        EXPECT_EQ(moved[i].width, labels[i].width);
    }
    EXPECT_EQ(labels[3].left, 300.5f);
}

}  // namespace
