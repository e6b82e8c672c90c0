// The split of the amount words over the two word lines, each character measured by its code. Input:
// two bytes of field width (0xffff: not a number), one byte of font size and bold flag, then the words.
#include <limits>

#include "FuzzCheck.h"
#include "platform/TextMeasure.h"
#include "words/WordLineSplit.h"

struct CodeWidthMeasure final : TextMeasure {
    double widthTwips(const QString& text, const FontSpec& font) const override {
        double width = 0.0;  // 10 to 130 twips a character at size 10
        for (const QChar c : text) width += (c.unicode() % 13 + 1) * 10.0;
        return width * font.size / 10.0 * (font.bold ? 1.5 : 1.0);
    }
};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const int raw = data[0] | data[1] << 8;
    const double width = raw == 0xffff ? std::numeric_limits<double>::quiet_NaN() : raw * 2.0 - 2000.0;
    const FontSpec font{u"Arial"_s, static_cast<float>(1 + (data[2] & 0x3f)), (data[2] & 0x80) != 0};
    const QString words = fuzzText(data + 3, size - 3), all = u' ' + words;
    const CodeWidthMeasure measure;
    const WordLines lines = splitWordLines(words, font, width, measure);
    const QString &line1 = lines.line1, &line2 = lines.line2;
    const QString detail =
        words + u" width %1 size %2 bold %3: "_s.arg(width).arg(font.size).arg(font.bold) + line1 + u'|' + line2;
    // Every word, the first of each line too, follows one blank: joined, the lines give back the words.
    FUZZ_CHECK(words.isEmpty() ? lines == WordLines{} : line1 + line2 == all && all.startsWith(line1), detail);
    for (const QString& line : {line1, line2}) FUZZ_CHECK(line.isEmpty() || line.startsWith(u' '), detail);
    // Line 1 is narrower than the field (no width, no line 1), and with the next word would not be.
    FUZZ_CHECK(line1.isEmpty() || (width > 0.0 && measure.widthTwips(line1, font) < width), detail);
    FUZZ_CHECK(line2.isEmpty() || !(measure.widthTwips(line1 + line2.left(line2.indexOf(u' ', 1)), font) < width),
               detail);
    return 0;
}
