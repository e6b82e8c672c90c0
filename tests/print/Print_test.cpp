#include <gtest/gtest.h>
#include <QFontMetricsF>

#include "core/ChequeFormat.h"
#include "print/ChequePage.h"
#include "print/ChequeRecorder.h"
#include "print/ChequeRenderer.h"
#include "print/DateRendering.h"
#include "print/PrinterSelection.h"
#include "print/QtPrinterService.h"
#include "store/ChequeNumberStore.h"
#include "store/RegisterStore.h"
#include "support/PdfWords.h"
#include "support/TestEnv.h"

using namespace Qt::StringLiterals;

namespace {

const QLocale kUk(QLocale::English, QLocale::UnitedKingdom);
const QDate kSaturday(2026, 12, 5);

TEST(DateRendering, StyleCodesInEitherLetterCaseWithTheLocalesNamesAndSeparator) {
    const struct { const char* style; QDate date; QLocale locale; const char* out; } cases[] = {
        {"Dddd, D mMMm yYYy", kSaturday, kUk, "Saturday, 5 December 2026"},
        {"DDD dd-MM-yyyy", QDate(2000, 1, 1), kUk, "Sat 01-01-2000"},
        {"dddd d mmmm", kSaturday, QLocale(u"fr"_s), "samedi 5 d\u00e9cembre"},
        {"On: dd-mm-yyyy (yy)!", kSaturday, kUk, "On: 05-12-2026 (26)!"},
        {"d/m", QDate(2026, 10, 31), QLocale(u"sv"_s), "31-10"}, {"yyyyy y YYY", QDate(2009, 7, 4), kUk, "2009y y 09Y"},
        {"d/m/yy", kSaturday, QLocale(u"de"_s), "5.12.26"}, {"ddddd mmmmm", kSaturday, kUk, "Saturday5 December12"}};
    for (const auto& c : cases)
        EXPECT_EQ(formatDateStyle(c.date, QString::fromUtf8(c.style), c.locale), QString::fromUtf8(c.out)) << c.style;
}

FieldLabelSet numberedLabels() {
    FieldLabelSet labels;
    for (int i = 0; i < kFieldCount; ++i)
        labels[i] = {6360.4f - 481.25f * i, 360.6f + 170.3f * i, 0, 0, u"Q%1x"_s.arg(i),  // shown or not, printed
                     {i % 2 ? u"Arial"_s : u"Courier New"_s, 8.0f + i, i == 1}, i < 5};
    return labels;
}

TEST(DateRendering, TheDateTypeChoosesTheDateFieldsAndTheDigitsAreDayMonthYear) {
    const struct { int type; const char* out; } cases[] = {  // the digits; shown: date field, digit boxes; date field
        {0, "05122026 D00000000 05 Dec 2026"}, {1, "05122026 -11110011 Q0x"}, {2, "05122026 -11111111 Q0x"},
        {-1, "05122026 D10101010 Q0x"}};
    for (const auto& c : cases) {
        FieldLabelSet labels = numberedLabels();
        for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) labels[i].visible = i % 2;
        fillDateLabels(c.type, kSaturday, u"dd mmm yyyy"_s, labels, kUk);
        QString got, shown = labels[FieldDate].visible ? u"D"_s : u"-"_s;
        for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) got += labels[i].caption, shown += u"01"[labels[i].visible];
        EXPECT_EQ(got + u' ' + shown + u' ' + labels[FieldDate].caption, QString::fromUtf8(c.out)) << c.type;
    }
}

// Orientation, A4, the date type's fields, payee, amount and word lines, moved by the offsets in single precision.
TEST(ChequePage, DrawsTheFieldsOfTheDateTypeMovedByTheChequeOffsets) {
    const struct { int dateType; bool printDate; const char* orientation; std::vector<int> fields; } cases[] = {
        {0, true, "L", {0, 1, 2, 3, 4}}, {-1, true, "L", {1, 2, 3, 4}}, {2, false, "x", {1, 2, 3, 4}},
        {1, true, "P", {5, 6, 7, 8, 11, 12, 1, 2, 3, 4}}, {2, true, "L", {5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3, 4}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.dateType << " printed " << c.printDate);
        const ChequeFormat format{.orientation = QString::fromLatin1(c.orientation), .chequeTop = 43.199999999999996,
                                  .chequeLeft = -120.5, .dateType = c.dateType};
        FakePrinterService printer;
        ChequePage::draw(printer, format, numberedLabels(), c.printDate);
        EXPECT_EQ(printer.jobSteps().join(u' '), u"orientation%1 paperA4"_s.arg(*c.orientation == 'L' ? 1 : 2));
        const auto texts = printer.callsOf(u"text"_s);
        ASSERT_EQ(texts.size(), c.fields.size());
        for (size_t k = 0; k < texts.size(); ++k) {
            const FieldLabel l = numberedLabels()[c.fields[k]];
            EXPECT_TRUE(texts[k].text == l.caption && texts[k].font == l.font) << k;
            EXPECT_EQ(texts[k].x, static_cast<float>(l.left + format.chequeLeft)) << k;
            EXPECT_EQ(texts[k].y, static_cast<float>(l.top + format.chequeTop)) << k;
        }
    }
}

// A name selects its first printer (an unknown one the first); the printer current before is restored while listed.
TEST(PrinterSelection, SelectsByNameAndRestoresTheRememberedPrinter) {
    const QString A = u"Laser"_s, B = u"Cheque"_s, C = u"Back"_s, kDefault = u"[Default]"_s;
    const struct { QStringList names; QString byDefault; int current, remembered; QString asked; bool selected;
                   int currentAfter, rememberedAfter; std::vector<int> restored; } cases[] = {
        {{A, B, C}, B, 2, 0, kDefault, true, 1, 0, {1, 0}}, {{A, B, C}, A, 2, 0, B, true, 1, 2, {1, 2}},
        {{A, B, C}, C, 1, 0, u"[default]"_s, true, 0, 1, {0, 1}}, {{A, B, B, C}, A, 3, 0, B, true, 1, 3, {1, 3}},
        {{A, B, C}, A, 7, 2, B, true, 1, 2, {1, 2}}, {{A, B}, A, 1, 2, kDefault, true, 0, 2, {0}},  // remembered gone
        {{}, QString(), -1, 0, A, false, -1, 0, {}}, {{A, B}, C, 1, 0, kDefault, false, 1, 0, {0}},
        {{A, B}, QString(), 1, 0, kDefault, false, 1, 0, {0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.names.join(u',').toStdString() << " " << c.asked.toStdString());
        TestEnv env;
        env.printers.names = c.names, env.printers.defaultName = c.byDefault, env.printers.current = c.current;
        env.context.rememberedPrinterIndex = static_cast<std::int16_t>(c.remembered);
        EXPECT_EQ(PrinterSelection::selectPrinter(env.context, c.asked), c.selected);
        EXPECT_EQ(env.printers.current, c.currentAfter);
        EXPECT_EQ(env.context.rememberedPrinterIndex, c.rememberedAfter);
        EXPECT_EQ((PrinterSelection::restorePrinter(env.context), env.printers.madeCurrent), c.restored);
        EXPECT_EQ(PrinterSelection::comboItems(env.printers), QStringList{kDefault} + c.names);
    }
    FakeDialogs dialogs;
    PrinterSelection::reportNoPrinter(dialogs);
    EXPECT_EQ(dialogs.texts() << dialogs.messages[0].title, QStringList({u"No printer is available."_s, u"Error"_s}));
}

TEST(ChequeRecorder, RecordsOnlyWhatThePrintSystemTookAndAsksAboutANumberUsedAgain) {
    const struct { const char* name; QString failWith; bool nothingDrawn, printed; } cases[] = {
        {"taken", {}, false, true}, {"refused", u"refused"_s, false, false}, {"nothing drawn", {}, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnv env;
        const QString bank = u"MBB"_s, number = u"000123"_s;
        ChequeNumberStore::setNext(env.db(), bank, number), env.printers.failEndWith = c.failWith;
        const RegisterEntry cheque{.bankCode = bank, .chequeNumber = number, .payee = u"ACME Ltd"_s};
        ChequeRecorder recorder(env.db(), env.clock);
        size_t pendingDuringJob = 0;
        auto send = [&]() -> PrintReceipt {
            pendingDuringJob = RegisterStore::listPending(env.db()).size();
            return c.nothingDrawn ? PrintReceipt{} : (env.printers.printText(u"page"_s), env.printers.endDocument());
        };
        if (c.printed) EXPECT_EQ(recorder.record(cheque, send).state, RegisterEntry::State::Printed);
        else EXPECT_THROW(recorder.record(cheque, send), PrintError);
        EXPECT_TRUE(pendingDuringJob == 1 && RegisterStore::listPending(env.db()).empty()) << "pending in the job";
        const auto entries = RegisterStore::page(env.db(), {}, 0, 10);
        ASSERT_EQ(entries.size(), c.printed ? 1u : 0u);
        EXPECT_EQ(ChequeNumberStore::next(env.db(), bank), c.printed ? u"000124"_s : number);
        EXPECT_EQ(recorder.duplicateQuestion(bank, number).value_or(QString()), c.printed ? u"Cheque number 000123 "
                  u"of MBB was already printed on 5 Dec 2026 to ACME Ltd. Print anyway?"_s : QString());
        EXPECT_TRUE(!c.printed || (entries[0].printedAt == env.clock.now() && entries[0].jobId.value_or(0) ==
                    env.printers.receipts.back().jobId && entries[0].destination == u"Office-Laser"_s));
    }
}

// Each field lands at its twips from the printable area, in its face and size; only a finished job with a page writes.
TEST(PdfOutput, EveryFieldLandsAtItsTwipsFromThePrintableArea) {
    const struct { int dateType, orientation; double left, top; QMarginsF margins; } cases[] = {{0, 1, 0, 0, {}},
        {2, 2, -150.5, -75.25, {18, 14.4, 18, 14.4}}, {0, 2, 1234.75, 987.4, {12.25, 9.5, 12.25, 9.5}}};
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dateType * 10 + c.orientation);
        const QString pdf = dir.filePath(u"cheque%1.pdf"_s.arg(c.dateType * 10 + c.orientation));
        QtPrinterService service(QtPrinterService::PdfFile{pdf, c.margins});
        service.setOrientation(c.orientation), service.setPaperA4();
        const FieldLabelSet labels = ChequeRenderer::shifted(numberedLabels(), c.left, c.top);
        ChequeRenderer::printChequeFields(service, c.dateType, true, labels), service.endDocument();
        const PdfWords page = PdfWords::read(pdf);
        ASSERT_TRUE(page.ok) << page.error.toStdString();
        const QMarginsF area = service.printableMargins();
        EXPECT_NEAR(page.pageWidth, c.orientation == 1 ? 595.28 : 841.89, 0.5);
        EXPECT_NEAR(service.pageHeight() / 20.0, page.pageHeight - area.top() - area.bottom(), 0.5);
        ASSERT_EQ(page.words.size(), c.dateType == 0 ? 5u : 12u);
        for (const auto& word : page.words) {
            const FieldLabel& l = labels[word.text.mid(1).chopped(1).toInt()];
            QFont font(l.font.face);
            font.setPixelSize(1000), font.setBold(l.font.bold);
            EXPECT_NEAR(word.xMin, area.left() + l.left / 20.0, 0.25) << word.text.toStdString();
            EXPECT_NEAR(word.yMin, area.top() + l.top / 20.0, 1.0) << word.text.toStdString();
            EXPECT_NEAR(word.yMax - word.yMin, QFontMetricsF(font).height() / 1000.0 * l.font.size, 0.1);
        }
    }
    const QString pdf = dir.filePath(u"x.pdf"_s);
    QtPrinterService service(QtPrinterService::PdfFile{pdf, {}});
    service.endDocument(), service.printText(u"x"_s), service.abortDocument();  // nothing drawn; aborted
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_THROW((service.setPdfPath(dir.filePath(u"missing/folder/x.pdf"_s)), service.printText(u"x"_s)), PrintError);
    service.setPdfPath(pdf), service.printText(u"again"_s), service.endDocument();  // usable again
    EXPECT_TRUE(QFile::exists(pdf));
}

}  // namespace
