#include <gtest/gtest.h>

#include <QLocale>

#include <functional>
#include <vector>

#include "designer/ChequeFormatModel.h"
#include "store/SettingsStore.h"
#include "platform/AppInfo.h"
#include "designer/AlignmentSheets.h"
#include "core/FieldLabelSet.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "words/AmountToWords.h"
#include "words/WordLineSplit.h"

namespace {

using Call = FakePrinterService::Call;

const QStringList kSampleInstructions = {
    QStringLiteral("1. Cut the dotted line with a small knife"),
    QStringLiteral("2. Place the cheque beneath this paper. Insert both top-left and bottom-right "
                   "of the corners of the cheque into the hole you just cut."),
    QStringLiteral("3. Hold both cheque and paper up to a light source which will shine through "
                   "both papers."),
    QStringLiteral("4. Adjust the misaligned word."),
    QString(),
    QStringLiteral("Please refer to the manual for more information.")};

const QStringList kRulerInstructions = {
    QStringLiteral("1. Cut the dotted line with a small knife."),
    QStringLiteral("2. Place the cheque on top of this paper with the top-left and bottom-right "
                   "corners of the cheque inserted into the hole you just cut."),
    QStringLiteral("3. Measure the words accordingly."), QString(),
    QStringLiteral("Please follow the instruction in the manual to align the word.")};

FontSpec arial(float size, bool bold) { return {QStringLiteral("Arial"), size, bold}; }

void expectSameLabels(const FieldLabelSet& actual, const FieldLabelSet& expected) {
    for (int i = 0; i < kFieldCount; ++i) {
        SCOPED_TRACE(testing::Message() << "field " << i);
        EXPECT_EQ(actual[i].left, expected[i].left);
        EXPECT_EQ(actual[i].top, expected[i].top);
        EXPECT_EQ(actual[i].width, expected[i].width);
        EXPECT_EQ(actual[i].height, expected[i].height);
        EXPECT_EQ(actual[i].caption, expected[i].caption);
        EXPECT_EQ(actual[i].font, expected[i].font);
        EXPECT_EQ(actual[i].visible, expected[i].visible);
        EXPECT_EQ(actual[i].alignment, expected[i].alignment);
    }
}

// The first drawing call after the page set-up, and the last before the end.
bool drawsBetweenSetupAndEnd(const FakePrinterService& printer) {
    bool paper = false, ended = false;
    for (const Call& c : printer.calls) {
        if (c.op == QStringLiteral("paperA4")) paper = true;
        if (c.op == QStringLiteral("end")) ended = true;
        const bool drawing = c.op == QStringLiteral("text") || c.op == QStringLiteral("line");
        if (drawing && (!paper || ended)) return false;
    }
    return true;
}

class AlignmentSheetsTest : public testing::Test {
protected:
    TestEnv env;
    ChequeFormatModel model{env.context};

    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        SettingsStore::writeOptions(env.db(), 1, 1, 1, QStringLiteral("dd-mm-yyyy"));
        model.loadLanguages();
        model.resetChequeFormat();
        model.setPrinterName(QStringLiteral("Cheque-Printer"));
        model.setLanguageName(QStringLiteral("English"));
        model.setChequeWidthText(QStringLiteral("8.00"));
        model.setChequeHeightText(QStringLiteral("3.50"));
        // Fractional positions, so a shift done twice or not at all shows.
        for (int i = 0; i < kFieldCount; ++i) {
            model.labels()[i].left = 300.3f + 611.25f * static_cast<float>(i);
            model.labels()[i].top = 120.7f + 97.5f * static_cast<float>(i);
        }
        model.labels()[FieldWord1].width = 4000.0f;
        model.labels()[FieldWord1].font = arial(10.0f, false);
        model.labels()[FieldRecipient].font = arial(12.0f, true);
    }

    // The two word lines of the sample amount, as the word routines give them.
    WordLines sampleWords(int languageId = 1) {
        const QString words =
            amountToWords(env.db(), env.dialogs, AlignmentSheets::sampleAmount(), languageId);
        const FieldLabel& word1 = model.labels()[FieldWord1];
        return splitWordLines(words, word1.font, word1.width, env.textMeasure);
    }
};

TEST_F(AlignmentSheetsTest, BoxTwipsReadsInchesAndCountsOtherTextAsZero) {
    const struct {
        const char* text;
        double twips;
    } cases[] = {{"8.00", 11520}, {" 3.5 ", 5040}, {"0.01", 14.4}, {"abc", 0},
                 {"", 0},         {"8,5", 0},      {"-1", -1440}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(AlignmentSheets::boxTwips(QString::fromLatin1(c.text)), c.twips) << c.text;
}

TEST_F(AlignmentSheetsTest, SampleSheetKeepsTheJobOrderOnALandscapePage) {
    model.setOrientationCode(1);  // the format's own orientation plays no part
    ASSERT_TRUE(AlignmentSheets::printDesignerSample(env.context, model, QStringLiteral("ABC")));
    EXPECT_EQ(env.printers.jobSteps(),
              (QStringList{QStringLiteral("makeCurrent1"), QStringLiteral("orientation2"),
                           QStringLiteral("paperA4"), QStringLiteral("end"),
                           QStringLiteral("makeCurrent0")}));
    EXPECT_TRUE(drawsBetweenSetupAndEnd(env.printers));
    EXPECT_TRUE(env.dialogs.messages.empty());
}

struct OutlineCase {
    const char* width;
    const char* height;
    double w, h;
};

TEST_F(AlignmentSheetsTest, SampleSheetOutlineAndCutLines) {
    const OutlineCase cases[] = {{"8.00", "3.50", 11520, 5040},
                                 {"7.25", "2.90", 10440, 4176},
                                 {"6.33", "3.01", 9115.2, 4334.4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        env.printers.clearRecord();
        model.setChequeWidthText(QString::fromLatin1(c.width));
        model.setChequeHeightText(QString::fromLatin1(c.height));
        ASSERT_TRUE(AlignmentSheets::printDesignerSample(env.context, model, QStringLiteral("X")));
        const auto lines = env.printers.callsOf(QStringLiteral("line"));
        const float w = static_cast<float>(c.w), h = static_cast<float>(c.h);
        struct Expected {
            double x1, y1, x2, y2;
            int dotted;
        } expected[] = {{0, 500, w, 500, 0},
                        {0, 500, 0, h + 500.0f, 0},
                        {0, h + 500.0f, w, h + 500.0f, 0},
                        {w, 500, w, h + 500.0f, 0},
                        {0, 1220, 720, 500, 1},
                        {w - 720.0f, h + 500.0f, w, h - 220.0f, 1}};
        ASSERT_EQ(lines.size(), std::size(expected));
        for (size_t i = 0; i < lines.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_NEAR(lines[i].x, expected[i].x1, 1e-3);
            EXPECT_NEAR(lines[i].y, expected[i].y1, 1e-3);
            EXPECT_NEAR(lines[i].x2, expected[i].x2, 1e-3);
            EXPECT_NEAR(lines[i].y2, expected[i].y2, 1e-3);
            EXPECT_EQ(lines[i].code, expected[i].dotted);
        }
        // The job leaves the printer drawing solid lines.
        EXPECT_EQ(env.printers.lineStyle, PrinterService::LineStyle::Solid);
    }
}

struct SampleTextsCase {
    int dateType;
    std::vector<std::pair<int, QString>> dateFields;  // field, caption
};

class SampleSheetTexts : public AlignmentSheetsTest,
                         public testing::WithParamInterface<SampleTextsCase> {};

TEST_P(SampleSheetTexts, HeadingFieldsInstructionsAndAddressInOrder) {
    const SampleTextsCase& c = GetParam();
    model.setDateType(c.dateType);
    const FieldLabelSet before = model.labels();
    const WordLines words = sampleWords();
    ASSERT_FALSE(words.line1.isEmpty());
    ASSERT_FALSE(words.line2.isEmpty());

    ASSERT_TRUE(
        AlignmentSheets::printDesignerSample(env.context, model, QStringLiteral("MBB - Maybank")));
    const auto texts = env.printers.callsOf(QStringLiteral("text"));

    struct Expected {
        QString text;
        double x, y;
        FontSpec font;
    };
    std::vector<Expected> expected;
    expected.push_back({QStringLiteral("MBB - Maybank - Sample Output"), 0, 0, arial(11, true)});
    auto field = [&](int i, const QString& caption) {
        const FieldLabel& l = before[i];
        expected.push_back({caption, l.left, static_cast<float>(l.top + 500.0), l.font});
    };
    for (const auto& [i, caption] : c.dateFields) field(i, caption);
    field(FieldRecipient, QStringLiteral("CHEQUE WRITER"));
    field(FieldAmount, QStringLiteral("123,456,789.00"));
    field(FieldWord1, words.line1);
    field(FieldWord2, words.line2);
    expected.push_back({QStringLiteral("Instruction:"), 0, 5040 + 1000, arial(11, true)});
    double y = 5040 + 1000 + env.printers.lineHeight;
    for (const QString& line : kSampleInstructions) {
        expected.push_back({line, 0, y, arial(11, false)});
        y += env.printers.lineHeight;
    }
    expected.push_back({AppInfo::webAddress(), 0, env.printers.height - 500, arial(11, false)});

    ASSERT_EQ(texts.size(), expected.size());
    for (size_t k = 0; k < texts.size(); ++k) {
        SCOPED_TRACE(testing::Message() << "text " << k << " " << expected[k].text.toStdString());
        EXPECT_EQ(texts[k].text, expected[k].text);
        EXPECT_DOUBLE_EQ(texts[k].x, expected[k].x);
        EXPECT_DOUBLE_EQ(texts[k].y, expected[k].y);
        EXPECT_EQ(texts[k].font, expected[k].font);
    }
    expectSameLabels(model.labels(), before);
}

INSTANTIATE_TEST_SUITE_P(
    DateTypes, SampleSheetTexts,
    testing::Values(SampleTextsCase{0, {{FieldDate, QStringLiteral("05-12-2026")}}},
                    SampleTextsCase{1,
                                    {{5, QStringLiteral("0")},
                                     {6, QStringLiteral("5")},
                                     {7, QStringLiteral("1")},
                                     {8, QStringLiteral("2")},
                                     {11, QStringLiteral("2")},
                                     {12, QStringLiteral("6")}}},
                    SampleTextsCase{2,
                                    {{5, QStringLiteral("0")},
                                     {6, QStringLiteral("5")},
                                     {7, QStringLiteral("1")},
                                     {8, QStringLiteral("2")},
                                     {9, QStringLiteral("2")},
                                     {10, QStringLiteral("0")},
                                     {11, QStringLiteral("2")},
                                     {12, QStringLiteral("6")}}}));

TEST_F(AlignmentSheetsTest, UnknownLanguageIsReportedAndSpelledInTheFirstLanguage) {
    model.setLanguageName(QStringLiteral("Klingon"));
    const WordLines english = sampleWords(1);
    ASSERT_TRUE(AlignmentSheets::printDesignerSample(env.context, model, QStringLiteral("X")));
    ASSERT_EQ(env.dialogs.messages.size(), 1u);
    EXPECT_EQ(env.dialogs.messages[0].text,
              QStringLiteral("Error retrieving Language while saving bank details."));
    EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Error"));
    EXPECT_EQ(env.dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
    const QStringList printed = env.printers.printedTexts();
    EXPECT_TRUE(printed.contains(english.line1));
    EXPECT_TRUE(printed.contains(english.line2));
}

TEST_F(AlignmentSheetsTest, SampleWordsFollowTheChosenLanguage) {
    model.setLanguageName(QStringLiteral("Malay"));
    const WordLines malay = sampleWords(2);
    ASSERT_NE(malay, sampleWords(1));
    ASSERT_TRUE(AlignmentSheets::printDesignerSample(env.context, model, QStringLiteral("X")));
    const QStringList printed = env.printers.printedTexts();
    EXPECT_TRUE(printed.contains(malay.line1));
    EXPECT_TRUE(printed.contains(malay.line2));
    EXPECT_TRUE(env.dialogs.messages.empty());
}

// Every job: a failing printer or none at all leaves the working copy as it was,
// shows why and restores the printer when one was selected.
TEST_F(AlignmentSheetsTest, FailuresAreShownAndLeaveTheWorkingCopy) {
    model.setDateType(2);
    model.labels()[FieldWord2].alignment = FieldLabel::Alignment::Left;  // kept, not re-centred
    const FieldLabelSet before = model.labels();
    const struct {
        const char* name;
        std::function<bool(TestEnv&, ChequeFormatModel&)> print;
        QString failure;
    } jobs[] = {
        {"sample",
         [](TestEnv& e, ChequeFormatModel& m) {
             return AlignmentSheets::printDesignerSample(e.context, m, QStringLiteral("X"));
         },
         QStringLiteral("The sample sheet was not printed.")},
        {"ruler",
         [](TestEnv& e, ChequeFormatModel& m) {
             return AlignmentSheets::printDesignerRuler(e.context, m, QStringLiteral("X"));
         },
         QStringLiteral("The ruler sheet was not printed.")},
        {"location",
         [](TestEnv& e, ChequeFormatModel& m) {
             return AlignmentSheets::printLocationSample(e.context, m, 100.5, -30.25, 1);
         },
         QStringLiteral("The sample was not printed.")},
    };
    for (const auto& job : jobs) {
        SCOPED_TRACE(job.name);
        // The printer fails when the page is sent.
        env.printers.clearRecord();
        env.dialogs.clear();
        env.printers.current = 0;
        env.printers.failEndWith = QStringLiteral("Printer on fire");
        EXPECT_FALSE(job.print(env, model));
        EXPECT_EQ(env.printers.jobSteps().mid(3),
                  (QStringList{QStringLiteral("end"), QStringLiteral("abort"),
                               QStringLiteral("makeCurrent0")}));
        ASSERT_EQ(env.dialogs.messages.size(), 1u);
        EXPECT_EQ(env.dialogs.messages[0].text,
                  job.failure + QStringLiteral("\r\nPrinter on fire"));
        EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Error"));
        expectSameLabels(model.labels(), before);

        // No printer installed: nothing is drawn.
        env.printers.clearRecord();
        env.dialogs.clear();
        env.printers.failEndWith.clear();
        const QStringList names = env.printers.names;
        env.printers.names.clear();
        EXPECT_FALSE(job.print(env, model));
        env.printers.names = names;
        EXPECT_TRUE(env.printers.calls.empty());
        EXPECT_TRUE(env.printers.madeCurrent.empty());
        ASSERT_EQ(env.dialogs.messages.size(), 1u);
        EXPECT_EQ(env.dialogs.messages[0].text, QStringLiteral("No printer is available."));
        EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Error"));
        expectSameLabels(model.labels(), before);

        // And a good job afterwards also puts everything back.
        env.printers.clearRecord();
        env.dialogs.clear();
        EXPECT_TRUE(job.print(env, model));
        EXPECT_TRUE(env.dialogs.messages.empty());
        expectSameLabels(model.labels(), before);
    }
}

TEST_F(AlignmentSheetsTest, DefaultPrinterNameSelectsTheDefaultPrinter) {
    model.setPrinterName(QStringLiteral("[Default]"));
    env.printers.defaultName = QStringLiteral("Cheque-Printer");
    ASSERT_TRUE(AlignmentSheets::printDesignerRuler(env.context, model, QStringLiteral("X")));
    EXPECT_EQ(env.printers.jobSteps().first(), QStringLiteral("makeCurrent1"));
}

// --- ruler sheet ---

struct Tick {
    double position, length;
};

// Bottom ticks hang below the bottom edge; right ticks stick out of the right edge.
std::vector<Tick> bottomTicks(const FakePrinterService& p, double w, double h) {
    std::vector<Tick> ticks;
    for (const Call& c : p.callsOf(QStringLiteral("line")))
        if (c.x == c.x2 && c.y == h + 500 && c.y2 > c.y) {
            EXPECT_GT(c.x, 0);
            EXPECT_LT(c.x, w);
            ticks.push_back({c.x, c.y2 - c.y});
        }
    return ticks;
}

std::vector<Tick> rightTicks(const FakePrinterService& p, double w) {
    std::vector<Tick> ticks;
    for (const Call& c : p.callsOf(QStringLiteral("line")))
        if (c.y == c.y2 && c.x == w && c.x2 > w) ticks.push_back({c.y - 500, c.x2 - c.x});
    return ticks;
}

struct RulerCase {
    const char* name;
    double w, h;
    int bottomCount;  // ticks k = 1 .. count
    int rightCount;
    int bottomInches;  // inch numbers 1 .. n
    int rightInches;
};

TEST(DrawRulerTicks, TicksEveryTwentiethStrictlyInsideWithLengthsAndInchNumbers) {
    const RulerCase cases[] = {
        {"8 by 3 inches", 11520, 4320, 159, 59, 7, 2},
        {"8.30 by 3.55 (a multiple of 72 on both)", 11952, 5112, 165, 70, 8, 3},
        {"7.26 by 2.99", 10454.4, 4305.6, 145, 59, 7, 2},
        {"just over one inch", 1441, 1440.5, 20, 20, 1, 1},
        {"one inch exactly", 1440, 1440, 19, 19, 0, 0},
        {"narrower than a tick", 72, 50, 0, 0, 0, 0},
        {"nothing", 0, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePrinterService p;
        AlignmentSheets::drawRulerTicks(p, c.h, c.w);
        const float h = static_cast<float>(c.h);

        // Tahoma 9, thin lines, the edges and the "Inch" label first.
        ASSERT_GE(p.calls.size(), 3u);
        EXPECT_EQ(p.calls[0].op, QStringLiteral("font"));
        EXPECT_EQ(p.calls[0].font, (FontSpec{QStringLiteral("Tahoma"), 9.0f, false}));
        EXPECT_EQ(p.calls[1].op, QStringLiteral("lineWidth"));
        EXPECT_EQ(p.calls[1].code, 1);
        const auto lines = p.callsOf(QStringLiteral("line"));
        ASSERT_FALSE(lines.empty());
        EXPECT_DOUBLE_EQ(lines.front().x, 0);
        EXPECT_DOUBLE_EQ(lines.front().y, h + 500.0f);
        EXPECT_DOUBLE_EQ(lines.front().x2, static_cast<float>(c.w));
        EXPECT_DOUBLE_EQ(lines.front().y2, h + 500.0f);
        for (const Call& l : lines) EXPECT_EQ(l.code, 0) << "no dotted line";

        const auto bottom = bottomTicks(p, static_cast<float>(c.w), h);
        ASSERT_EQ(static_cast<int>(bottom.size()), c.bottomCount);
        const auto right = rightTicks(p, static_cast<float>(c.w));
        ASSERT_EQ(static_cast<int>(right.size()), c.rightCount);
        for (const auto* ticks : {&bottom, &right}) {
            for (size_t i = 0; i < ticks->size(); ++i) {
                const int k = static_cast<int>(i) + 1;
                SCOPED_TRACE(k);
                EXPECT_DOUBLE_EQ((*ticks)[i].position, 72.0 * k);
                const int j = k % 20;
                const double length = j == 0 ? 375 : j == 10 ? 262.5 : j == 5 || j == 15 ? 150 : 75;
                EXPECT_DOUBLE_EQ((*ticks)[i].length, length);
            }
        }

        // "Inch", then the bottom numbers under their ticks, then the right ones.
        std::vector<Call> expected;
        auto text = [&](const QString& t, double x, double y) {
            Call call;
            call.text = t;
            call.x = x;
            call.y = y;
            expected.push_back(call);
        };
        text(QStringLiteral("Inch"), 10, h + 600.0f);
        for (int n = 1; n <= c.bottomInches; ++n)
            text(QStringLiteral(" %1").arg(n), 1440.0 * n, h + 600.0f);
        for (int n = 1; n <= c.rightInches; ++n)
            text(QStringLiteral(" %1").arg(n), static_cast<float>(c.w) + 100.0f, 500 + 1440.0 * n);
        const auto texts = p.callsOf(QStringLiteral("text"));
        ASSERT_EQ(texts.size(), expected.size());
        for (size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].text, expected[i].text);
            EXPECT_DOUBLE_EQ(texts[i].x, expected[i].x);
            EXPECT_DOUBLE_EQ(texts[i].y, expected[i].y);
        }
    }
}

TEST(DrawRulerTicks, OrderIsBottomEdgeBottomTicksRightEdgeRightTicks) {
    FakePrinterService p;
    AlignmentSheets::drawRulerTicks(p, 2000, 3000);
    const auto lines = p.callsOf(QStringLiteral("line"));
    // Edge, 41 bottom ticks (72 .. 2952), edge, 27 right ticks (72 .. 1944).
    ASSERT_EQ(lines.size(), 1u + 41u + 1u + 27u);
    EXPECT_DOUBLE_EQ(lines[42].x, 3000);
    EXPECT_DOUBLE_EQ(lines[42].y, 500);
    EXPECT_DOUBLE_EQ(lines[42].x2, 3000);
    EXPECT_DOUBLE_EQ(lines[42].y2, 2500);
    // The inch number follows its own tick.
    const auto& calls = p.calls;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].op != QStringLiteral("text") || calls[i].text == QStringLiteral("Inch"))
            continue;
        ASSERT_GT(i, 0u);
        EXPECT_EQ(calls[i - 1].op, QStringLiteral("line"));
        EXPECT_DOUBLE_EQ(calls[i - 1].x2 - calls[i - 1].x + calls[i - 1].y2 - calls[i - 1].y, 375);
    }
}

TEST(DrawRulerTicks, AnAbsurdSizeEndsAtTheSheet) {
    FakePrinterService p;
    AlignmentSheets::drawRulerTicks(p, 1.0e12, 1.0e12);
    // Ticks only where the A4 sheet is: 72k < 16834 on both rulers.
    EXPECT_EQ(p.callsOf(QStringLiteral("line")).size(), 2u + 2u * 233u);
}

TEST_F(AlignmentSheetsTest, RulerSheetJobHeadingOutlineTicksAndInstructions) {
    model.setChequeWidthText(QStringLiteral("8.00"));
    model.setChequeHeightText(QStringLiteral("3.00"));
    const FieldLabelSet before = model.labels();
    ASSERT_TRUE(
        AlignmentSheets::printDesignerRuler(env.context, model, QStringLiteral("CIMB - Bank")));
    EXPECT_EQ(env.printers.jobSteps(),
              (QStringList{QStringLiteral("makeCurrent1"), QStringLiteral("orientation2"),
                           QStringLiteral("paperA4"), QStringLiteral("end"),
                           QStringLiteral("makeCurrent0")}));
    EXPECT_TRUE(drawsBetweenSetupAndEnd(env.printers));

    const auto lines = env.printers.callsOf(QStringLiteral("line"));
    ASSERT_GE(lines.size(), 4u);
    // Top and left edges, then the two dotted cut lines, then the rulers.
    const double expected[4][5] = {{0, 500, 11520, 500, 0},
                                   {0, 500, 0, 4820, 0},
                                   {0, 1220, 720, 500, 1},
                                   {10800, 4820, 11520, 4100, 1}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(lines[i].x, expected[i][0]);
        EXPECT_DOUBLE_EQ(lines[i].y, expected[i][1]);
        EXPECT_DOUBLE_EQ(lines[i].x2, expected[i][2]);
        EXPECT_DOUBLE_EQ(lines[i].y2, expected[i][3]);
        EXPECT_EQ(lines[i].code, static_cast<int>(expected[i][4]));
    }
    int dotted = 0;
    for (const Call& l : lines) dotted += l.code;
    EXPECT_EQ(dotted, 2);
    EXPECT_EQ(bottomTicks(env.printers, 11520, 4320).size(), 159u);
    EXPECT_EQ(rightTicks(env.printers, 11520).size(), 59u);

    const auto texts = env.printers.callsOf(QStringLiteral("text"));
    QStringList expectedTexts{QStringLiteral("CIMB - Bank"), QStringLiteral("Inch")};
    for (int n = 1; n <= 7; ++n) expectedTexts << QStringLiteral(" %1").arg(n);
    expectedTexts << QStringLiteral(" 1") << QStringLiteral(" 2") << QStringLiteral("Instruction:");
    expectedTexts << kRulerInstructions << AppInfo::webAddress();
    EXPECT_EQ(env.printers.printedTexts(), expectedTexts);
    EXPECT_EQ(texts.front().font, arial(12, true));
    EXPECT_DOUBLE_EQ(texts.front().x, 0);
    EXPECT_DOUBLE_EQ(texts.front().y, 0);
    const size_t instruction = 2 + 7 + 2;
    EXPECT_EQ(texts[instruction].font, arial(11, true));
    EXPECT_DOUBLE_EQ(texts[instruction].x, 0);
    EXPECT_DOUBLE_EQ(texts[instruction].y, 4320 + 1000);
    for (size_t i = instruction + 1; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].font, arial(11, false));
        EXPECT_DOUBLE_EQ(texts[i].x, 0);
    }
    EXPECT_DOUBLE_EQ(texts[instruction + 1].y, 4320 + 1000 + env.printers.lineHeight);
    EXPECT_DOUBLE_EQ(texts.back().y, env.printers.height - 500);
    expectSameLabels(model.labels(), before);
    EXPECT_TRUE(env.dialogs.messages.empty());
}

// --- location sample ---

struct LocationCase {
    double top, left;
    int orientation;  // 0: neither option chosen
};

class LocationSample : public AlignmentSheetsTest,
                       public testing::WithParamInterface<LocationCase> {};

TEST_P(LocationSample, FieldsAloneAtTheOffsets) {
    const LocationCase& c = GetParam();
    model.setDateType(0);
    model.setChequeTop(9999);  // the window's offsets count, not the stored ones
    model.setChequeLeft(-9999);
    const FieldLabelSet before = model.labels();
    const WordLines words = sampleWords();
    ASSERT_TRUE(
        AlignmentSheets::printLocationSample(env.context, model, c.top, c.left, c.orientation));

    QStringList steps{QStringLiteral("makeCurrent1")};
    if (c.orientation) steps << QStringLiteral("orientation%1").arg(c.orientation);
    steps << QStringLiteral("paperA4") << QStringLiteral("end") << QStringLiteral("makeCurrent0");
    EXPECT_EQ(env.printers.jobSteps(), steps);
    EXPECT_TRUE(env.printers.callsOf(QStringLiteral("line")).empty());

    const auto texts = env.printers.callsOf(QStringLiteral("text"));
    const std::vector<std::pair<int, QString>> fields = {
        {FieldDate, QStringLiteral("05-12-2026")},
        {FieldRecipient, QStringLiteral("CHEQUE WRITER")},
        {FieldAmount, QStringLiteral("123,456,789.00")},
        {FieldWord1, words.line1},
        {FieldWord2, words.line2}};
    ASSERT_EQ(texts.size(), fields.size());
    for (size_t k = 0; k < fields.size(); ++k) {
        const FieldLabel& l = before[fields[k].first];
        SCOPED_TRACE(fields[k].first);
        EXPECT_EQ(texts[k].text, fields[k].second);
        EXPECT_DOUBLE_EQ(texts[k].x, static_cast<float>(l.left + c.left));
        EXPECT_DOUBLE_EQ(texts[k].y, static_cast<float>(l.top + c.top));
        EXPECT_EQ(texts[k].font, l.font);
    }
    expectSameLabels(model.labels(), before);
    EXPECT_DOUBLE_EQ(model.chequeTop(), 9999);
}

INSTANTIATE_TEST_SUITE_P(OffsetsAndOrientations, LocationSample,
                         testing::Values(LocationCase{0, 0, 1}, LocationCase{0, 0, 2},
                                         LocationCase{-43.2, 914.5, 1},
                                         LocationCase{11794, 1829, 2},
                                         LocationCase{360.35, -72.1, 0}));

}  // namespace
