// The five built-in families: which names select them and their metric sets.

#include "pdf/FontMetrics.h"

#include <cctype>

namespace pdf {

namespace {

std::string CompactUpper(std::string_view name)
{
    std::string key;
    for (char c : name)
        if (c != ' ')
            key.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return key;
}

WidthTable CourierWidths()
{
    WidthTable widths;
    widths.fill(600);
    return widths;
}

const WidthTable& ArialWidths(int style)
{
    static const WidthTable* const kByStyle[] = {&widths::kHelvetica, &widths::kHelveticaBold,
                                                 &widths::kHelveticaOblique, &widths::kHelveticaBoldOblique};
    return *kByStyle[style & 3];
}

const WidthTable& TimesWidths(int style)
{
    static const WidthTable* const kByStyle[] = {&widths::kTimesRoman, &widths::kTimesBold, &widths::kTimesItalic,
                                                 &widths::kTimesBoldItalic};
    return *kByStyle[style & 3];
}

}  // namespace

FontFamily FamilyOf(std::string_view name)
{
    const std::string key = CompactUpper(name);
    if (key == "TIMES" || key == "TIMESNEWROMAN")
        return FontFamily::TimesNewRoman;
    if (key == "COURIER" || key == "COURIERNEW")
        return FontFamily::CourierNew;
    if (key == "HELVETICA" || key == "ARIAL")
        return FontFamily::Arial;
    if (key == "SYMBOL")
        return FontFamily::Symbol;
    if (key == "ZAPFDINGBATS")
        return FontFamily::ZapfDingbats;
    return FontFamily::Other;
}

std::string_view FamilyName(FontFamily family)
{
    switch (family) {
    case FontFamily::Arial: return "Arial";
    case FontFamily::CourierNew: return "CourierNew";
    case FontFamily::TimesNewRoman: return "TimesNewRoman";
    case FontFamily::Symbol: return "Symbol";
    case FontFamily::ZapfDingbats: return "ZapfDingbats";
    case FontFamily::Other: break;
    }
    return {};
}

std::string StyleSuffix(int style)
{
    if ((style & 3) == 0)
        return {};
    std::string suffix = ",";
    if (style & 1)
        suffix += "Bold";
    if (style & 2)
        suffix += "Italic";
    return suffix;
}

void LoadFontMetrics(FontRecord& record, FontFamily family, int style)
{
    switch (family) {
    case FontFamily::TimesNewRoman:
        record.Widths = TimesWidths(style);
        record.LineHeight = 1107;
        record.Descent = -216;
        record.BaseFont = "TimesNewRoman" + StyleSuffix(style);
        break;
    case FontFamily::CourierNew:
        record.Widths = CourierWidths();
        record.LineHeight = 1133;
        record.Descent = -300;
        record.BaseFont = "CourierNew" + StyleSuffix(style);
        break;
    case FontFamily::Symbol:
        record.Widths = widths::kSymbol;
        record.LineHeight = 1225;
        record.Descent = -220;
        record.BaseFont = "Symbol";
        break;
    case FontFamily::ZapfDingbats:
        record.Widths = widths::kZapfDingbats;
        record.LineHeight = 1221;
        record.Descent = -221;
        record.BaseFont = "ZapfDingbats";
        break;
    case FontFamily::Arial:
    case FontFamily::Other:
        record.Widths = ArialWidths(style);
        record.LineHeight = 1221;
        record.Descent = -221;
        record.BaseFont = "Arial" + StyleSuffix(style);
        break;
    }
}

}  // namespace pdf
