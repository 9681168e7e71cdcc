// Placing and measuring single lines of text.

#include "pdf/PdfFormat.h"
#include "pdf/PdfWriter.h"
#include "pdf/Win1252.h"

#include <vector>

namespace {

constexpr int kAlignRight = 2;
constexpr int kAlignCentre = 4;
constexpr int kJustify = 0x40;
constexpr int kShrinkToFit = 0x80;
constexpr int kFitWidth = 0x100;
constexpr int kAlignmentBits = 0x1C7;

bool IsBlank(std::string_view bytes)
{
    return bytes.find_first_not_of(' ') == std::string_view::npos;
}

std::vector<std::string_view> SplitOnSpaces(std::string_view bytes)
{
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (true) {
        const auto end = bytes.find(' ', start);
        if (end == std::string_view::npos) {
            words.push_back(bytes.substr(start));
            return words;
        }
        words.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace

float PdfWriter::TextLengthBytes(std::string_view bytes) const
{
    const FontRecord* font = CurrentFontRecord();
    if (font == nullptr)
        return 0;
    long sum = 0;
    long spaces = 0;
    for (char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        sum += font->Widths[code];
        spaces += code == 32;
    }
    return horizontalScaling_ / 100 *
           (static_cast<float>(bytes.size()) * charSpacing_ + static_cast<float>(sum) * fontSize_ / 1000 +
            wordSpacing_ * static_cast<float>(spaces)) /
           scale_;
}

float PdfWriter::TextLength(std::string_view text) const
{
    return TextLengthBytes(pdf::Utf8ToWin1252(text));
}

float PdfWriter::TextHeight() const
{
    const FontRecord* font = CurrentFontRecord();
    if (font == nullptr)
        return 0;
    return static_cast<float>(font->LineHeight) * fontSize_ / 1000 / scale_;
}

float PdfWriter::DrawTextLine(float x, float y, float width, std::string_view bytes, float offset, int flags,
                              bool newLine)
{
    if (IsBlank(bytes)) {
        x_ = newLine ? 0 : x * scale_;
        y_ = y * scale_;
        return 0;
    }

    // Measure.
    const int alignment = flags & kAlignmentBits;
    float natural = 0;
    float w = 0;
    float spaceWidth = 0;
    std::size_t gaps = 0;
    const float formerScaling = horizontalScaling_;
    if (flags & kJustify) {
        const auto words = SplitOnSpaces(bytes);
        gaps = words.size() - 1;
        spaceWidth = TextLengthBytes(" ");
        for (auto word : words)
            w += TextLengthBytes(word);
        natural = w + static_cast<float>(gaps) * spaceWidth;
    } else {
        if (flags & (kShrinkToFit | kFitWidth))
            horizontalScaling_ = 100;
        natural = TextLengthBytes(bytes);
        w = natural;
    }
    if (offset != 0)
        w += offset;

    // Align.
    float shift = 0;
    std::string prefix;
    std::string suffix;
    if (alignment == kAlignRight) {
        shift = width - w;
    } else if (alignment == kAlignCentre) {
        shift = (width - w) / 2;
    } else if (alignment == kJustify) {
        if (gaps > 0) {
            const float extra = width - w - static_cast<float>(gaps) * spaceWidth;
            prefix = FormatScaled(extra / static_cast<float>(gaps)) + " Tw ";
            suffix = " " + pdf::FormatNumber(wordSpacing_) + " Tw";
            natural += extra;
        }
    } else if (alignment == kShrinkToFit || alignment == kFitWidth) {
        if (w > 0 && (w > width || alignment == kFitWidth)) {
            prefix = pdf::FormatNumber(width * 100 / w) + " Tz ";
            suffix = (w > width ? " " : "  ") + pdf::FormatNumber(formerScaling) + " Tz";
        }
    }
    if (offset != 0)
        shift += offset;
    // The stored scaling follows the content, which returns to the former value after the line.
    horizontalScaling_ = formerScaling;

    const FontRecord* font = CurrentFontRecord();
    const float descent = font != nullptr ? fontSize_ * static_cast<float>(font->Descent) / 1000 : 0;
    lastTextBox_ = {(shift + x) * scale_, pageHeight_ - y * scale_ + descent, (shift + x + w) * scale_,
                    pageHeight_ + descent + (TextHeight() * lineSpacing_ - y) * scale_};

    // Text is painted with the fill colour: select the text colour, then restore.
    const std::string formerFill = fillColor_ + ";" + fillColorExtra_;
    SetColorFill(textColor_ + ";" + textColorExtra_);
    std::string block = "BT\r/";
    block.reserve(96 + bytes.size() + prefix.size() + suffix.size());
    block += fontResource_;
    block += ' ';
    pdf::AppendNumber(block, fontSize_);
    block += " Tf ";
    pdf::AppendNumber(block, fontSize_);
    block += " TL\r1 0 0 -1 ";
    pdf::AppendNumber(block, (shift + x) * scale_);
    block += ' ';
    pdf::AppendNumber(block, y * scale_);
    block += " Tm\r";
    block += prefix;
    block += '(';
    // Widths are measured on the Windows-1252 codes; a Mac Roman font gets the same characters
    // at its own codes.
    if (font != nullptr && font->Encoding == 1 && !font->IsSymbolic())
        pdf::AppendEscaped(block, pdf::Win1252ToMacRoman(bytes));
    else
        pdf::AppendEscaped(block, bytes);
    block += ") Tj";
    block += suffix;
    block += "\rET";
    AppendContent(block);
    SetColorFill(formerFill);

    if (fontStyle_ & 0x1C)
        WriteDecorations(shift + x, y, natural);

    if (newLine) {
        x_ = 0;
        y_ = y * scale_ + TextHeight() * scale_ * lineSpacing_;
    } else {
        x_ = (natural + x) * scale_;
        y_ = y * scale_;
    }
    return natural;
}

// Underline, overline and strike-through, drawn with the text colour.
void PdfWriter::WriteDecorations(float left, float y, float naturalWidth)
{
    AppendContent("q");
    const std::string formerLine = lineColor_ + ";" + lineColorExtra_;
    SetColorLine(textColor_ + ";" + textColorExtra_);
    AppendContent(pdf::FormatNumber(fontSize_ / 16) + " w ");
    AppendContent("1 0 0 1 " + pdf::FormatNumber(left * scale_) + " " + FormatScaled(y) + " cm");
    const std::string length = FormatScaled(naturalWidth);
    const struct { int bit; float offset; } kDecorations[] = {
        {0x04, fontSize_ / 8}, {0x08, -0.8f * fontSize_}, {0x10, -0.3f * fontSize_}};
    for (const auto& decoration : kDecorations) {
        if (fontStyle_ & decoration.bit) {
            const std::string d = pdf::FormatNumber(decoration.offset);
            AppendContent("0 " + d + " m " + length + " " + d + " l S");
        }
    }
    SetColorLine(formerLine);
    AppendContent("Q");
}

void PdfWriter::DrawText(float x, float y, std::string_view text, int align)
{
    DrawTextLine(x, y, 0, pdf::Utf8ToWin1252(text), 0, align & 7, false);
}

void PdfWriter::WriteText(std::string_view text, int textStyle, float percentSize)
{
    const float savedY = y_;
    const float savedSize = fontSize_;
    const FontRecord* font = CurrentFontRecord();
    const float descent = font != nullptr ? static_cast<float>(font->Descent) : 0;
    float baseline = y_ / scale_;
    if (textStyle != 0) {
        const float h = TextHeight();
        fontSize_ = percentSize / 100 * fontSize_;
        if (textStyle == 2)
            baseline = (y_ - descent * (fontSize_ + savedSize) / 1000) / scale_;
        else if (textStyle == 1)
            baseline = (y_ - fontSize_ * descent / 1000) / scale_ - h / 2;
    }
    DrawTextLine(x_ / scale_, baseline, 0, pdf::Utf8ToWin1252(text), 0, 1, false);
    y_ = savedY;
    fontSize_ = savedSize;
}

void PdfWriter::WriteTextLn(std::string_view text)
{
    DrawTextLine(x_ / scale_, y_ / scale_, 0, pdf::Utf8ToWin1252(text), 0, 1, true);
}

void PdfWriter::SetCharSpacing(float value)
{
    charSpacing_ = value;
    AppendContent(pdf::FormatNumber(value) + " Tc");
}

void PdfWriter::SetWordSpacing(float value)
{
    wordSpacing_ = value;
    AppendContent(pdf::FormatNumber(value) + " Tw");
}

void PdfWriter::SetTextHorizontalScaling(float percent)
{
    horizontalScaling_ = percent;
    AppendContent(pdf::FormatNumber(percent) + " Tz");
}

void PdfWriter::SetTextLineSpacing(float factor)
{
    if (factor >= 0)
        lineSpacing_ = factor;
}

void PdfWriter::SetTextMode(int mode)
{
    AppendContent(std::to_string(mode) + " Tr");
}
