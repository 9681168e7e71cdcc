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
    struct MetricSet {
        int lineHeight, descent;
        const char* baseFont;
        bool styled;  // the family has bold and italic faces
    };
    static constexpr MetricSet kArial{1221, -221, "Arial", true};
    static constexpr MetricSet kCourierNew{1133, -300, "CourierNew", true};
    static constexpr MetricSet kTimesNewRoman{1107, -216, "TimesNewRoman", true};
    static constexpr MetricSet kSymbol{1225, -220, "Symbol", false};
    static constexpr MetricSet kZapfDingbats{1221, -221, "ZapfDingbats", false};

    const MetricSet* set = &kArial;  // every name that is not built in is measured as Arial
    switch (family) {
    case FontFamily::TimesNewRoman: set = &kTimesNewRoman; record.Widths = TimesWidths(style); break;
    case FontFamily::CourierNew: set = &kCourierNew; record.Widths = CourierWidths(); break;
    case FontFamily::Symbol: set = &kSymbol; record.Widths = widths::kSymbol; break;
    case FontFamily::ZapfDingbats: set = &kZapfDingbats; record.Widths = widths::kZapfDingbats; break;
    case FontFamily::Arial:
    case FontFamily::Other: record.Widths = ArialWidths(style); break;
    }
    record.LineHeight = set->lineHeight;
    record.Descent = set->descent;
    record.BaseFont = set->baseFont + (set->styled ? StyleSuffix(style) : std::string());
}

}  // namespace pdf
