// The split of the amount words over the two word lines, with a measure that
// gives every character a width of its own.
//
// Input: two bytes of field width (the value 0xffff stands for "not a number"),
// one byte of font size and bold flag, then the words.
#include <cmath>
#include <cstdint>
#include <limits>

#include "FuzzCheck.h"
#include "platform/TextMeasure.h"
#include "words/WordLineSplit.h"

namespace {

// 10 to 130 twips a character by its code, scaled by size / 10, bold 1.5 times.
class CodeWidthMeasure final : public TextMeasure {
public:
    double widthTwips(const QString& text, const FontSpec& font) const override {
        double width = 0.0;
        for (const QChar c : text) width += (c.unicode() % 13 + 1) * 10.0;
        return width * font.size / 10.0 * (font.bold ? 1.5 : 1.0);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const unsigned rawWidth = data[0] | data[1] << 8;
    const double width =
        rawWidth == 0xffff ? std::numeric_limits<double>::quiet_NaN() : rawWidth * 2.0 - 2000.0;
    FontSpec font;
    font.size = static_cast<float>(1 + (data[2] & 0x3f));
    font.bold = (data[2] & 0x80) != 0;
    const QString words = fuzzText(data + 3, size - 3);

    const CodeWidthMeasure measure;
    const WordLines lines = splitWordLines(words, font, width, measure);
    const QString detail = quoted(words) +
                           QStringLiteral(" width %1 size %2 bold %3\n line1 ")
                               .arg(width)
                               .arg(font.size)
                               .arg(font.bold) +
                           quoted(lines.line1) + QStringLiteral("\n line2 ") + quoted(lines.line2);

    FUZZ_CHECK(splitWordLines(words, font, width, measure) == lines, detail);
    if (words.isEmpty()) {
        FUZZ_CHECK(lines.line1.isEmpty() && lines.line2.isEmpty(), detail);
        return 0;
    }
    // Every word, the first of each line too, follows one blank: joined, the two
    // lines give back the words.
    const QString all = QLatin1Char(' ') + words;
    FUZZ_CHECK(lines.line1 + lines.line2 == all, detail);
    FUZZ_CHECK(all.startsWith(lines.line1), detail);
    FUZZ_CHECK(lines.line1.isEmpty() || lines.line1.startsWith(QLatin1Char(' ')), detail);
    FUZZ_CHECK(lines.line2.isEmpty() || lines.line2.startsWith(QLatin1Char(' ')), detail);

    // Line 1 is narrower than the field; with its next word it would not be.
    if (!lines.line1.isEmpty()) FUZZ_CHECK(measure.widthTwips(lines.line1, font) < width, detail);
    if (!lines.line2.isEmpty()) {
        const qsizetype nextBlank = lines.line2.indexOf(QLatin1Char(' '), 1);
        const QString withNext = lines.line1 + lines.line2.left(nextBlank);
        FUZZ_CHECK(!(measure.widthTwips(withNext, font) < width), detail);
    }
    // The field width bounds line 1 from above only: no width, no line 1.
    if (!(width > 0.0)) FUZZ_CHECK(lines.line1.isEmpty(), detail);
    return 0;
}
