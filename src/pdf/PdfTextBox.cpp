// Flowing text into a box: paragraphs, word wrap, alignment, and the part that did not fit.

#include "pdf/PdfWriter.h"
#include "pdf/Win1252.h"

#include <vector>

namespace {

constexpr int kJustify = 0x40;
constexpr int kAlignLeft = 1;
constexpr float kTolerance = 1e-4f;

// Paragraphs end at CR LF; a lone CR or LF ends one too, so no control byte reaches a line.
std::vector<std::string_view> SplitParagraphs(std::string_view bytes)
{
    std::vector<std::string_view> paragraphs;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        paragraphs.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    paragraphs.push_back(bytes.substr(start));
    return paragraphs;
}

// Words separated by runs of blanks (the runs collapse to one space).
std::vector<std::string_view> SplitWords(std::string_view paragraph)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < paragraph.size()) {
        while (i < paragraph.size() && (paragraph[i] == ' ' || paragraph[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < paragraph.size() && paragraph[i] != ' ' && paragraph[i] != '\t')
            ++i;
        if (i > start)
            words.push_back(paragraph.substr(start, i - start));
    }
    return words;
}

std::string JoinFrom(const std::vector<std::string_view>& words, std::size_t first)
{
    std::string text;
    for (std::size_t i = first; i < words.size(); ++i) {
        if (!text.empty())
            text += ' ';
        text.append(words[i]);
    }
    return text;
}

}  // namespace

std::string PdfWriter::DrawTextBox(float x, float y, float width, float height, std::string_view text,
                                   float indentation, int align, std::string_view options)
{
    if (options.find_first_of("FfLl") != std::string_view::npos)
        DrawRectangle(x, y, width, height, options);
    const std::string bytes = pdf::Utf8ToWin1252(text);
    const FontRecord* font = CurrentFontRecord();
    const float textHeight = TextHeight();
    if (font == nullptr || textHeight <= 0 || width <= 0)
        return std::string(text);

    const float lineStep = textHeight * lineSpacing_;
    const float ascent = static_cast<float>(font->LineHeight + font->Descent) * fontSize_ / 1000 / scale_;
    const float spaceWidth = TextLengthBytes(" ");
    int lineIndex = 0;
    auto lineFits = [&] { return static_cast<float>(lineIndex) * lineStep + textHeight <= height + kTolerance; };

    const auto paragraphs = SplitParagraphs(bytes);
    for (std::size_t p = 0; p < paragraphs.size(); ++p) {
        std::vector<std::string_view> words = SplitWords(paragraphs[p]);
        std::size_t next = 0;
        bool firstLine = true;
        do {
            if (!lineFits()) {
                std::string rest = JoinFrom(words, next);
                for (std::size_t q = p + 1; q < paragraphs.size(); ++q)
                    rest += "\r\n" + std::string(paragraphs[q]);
                return pdf::Win1252ToUtf8(rest);
            }
            const float indent = firstLine ? indentation : 0;
            const float available = width - indent;
            std::string line;
            float lineWidth = 0;
            while (next < words.size()) {
                const float wordWidth = TextLengthBytes(words[next]);
                const float needed = line.empty() ? wordWidth : lineWidth + spaceWidth + wordWidth;
                if (needed <= available + kTolerance) {
                    if (!line.empty())
                        line += ' ';
                    line.append(words[next]);
                    lineWidth = needed;
                    ++next;
                    continue;
                }
                if (line.empty()) {
                    // A word wider than the box is cut where it reaches the edge (at least one
                    // character per line, so the flow always advances).
                    std::size_t cut = 1;
                    while (cut < words[next].size() &&
                           TextLengthBytes(words[next].substr(0, cut + 1)) <= available + kTolerance)
                        ++cut;
                    line.append(words[next].substr(0, cut));
                    words[next] = words[next].substr(cut);
                }
                break;
            }
            const bool lastOfParagraph = next >= words.size();
            const int flags = (align & kJustify) && lastOfParagraph ? kAlignLeft : align;
            const float baseline = y + ascent + static_cast<float>(lineIndex) * lineStep;
            DrawTextLine(x + indent, baseline, available, line, 0, flags, false);
            ++lineIndex;
            firstLine = false;
        } while (next < words.size());
    }
    return {};
}
