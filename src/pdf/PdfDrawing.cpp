// Lines and rectangles: the drawing the text decorations and text boxes need.

#include "pdf/PdfFormat.h"
#include "pdf/PdfWriter.h"

void PdfWriter::SetLineWidth(float width)
{
    AppendContent(FormatScaled(width) + " w");
}

void PdfWriter::LineTo(float x, float y)
{
    AppendContent(FormatScaled(x) + " " + FormatScaled(y) + " l");
    SetXY(x, y);
}

void PdfWriter::DrawLine(float x1, float y1, float x2, float y2)
{
    AppendContent(FormatScaled(x1) + " " + FormatScaled(y1) + " m " + FormatScaled(x2) + " " + FormatScaled(y2) +
                  " l S");
    SetXY(x2, y2);
}

void PdfWriter::DrawRectangle(float x, float y, float width, float height, std::string_view mode)
{
    const bool fill = mode.find_first_of("Ff") != std::string_view::npos;
    const bool stroke = mode.find_first_of("Ll") != std::string_view::npos || !fill;
    const char* paint = fill && stroke ? " re B" : fill ? " re F" : " re S";
    AppendContent(FormatScaled(x) + " " + FormatScaled(y) + " " + FormatScaled(width) + " " + FormatScaled(height) +
                  paint);
}
