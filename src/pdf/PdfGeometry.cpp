// Nested coordinate spaces, axis transforms and the current position.

#include "pdf/PdfFormat.h"
#include "pdf/PdfWriter.h"

#include <cmath>

namespace {
constexpr double kRadiansPerDegree = 0.0174532925199433;
}

void PdfWriter::BeginSpace(float x, float y, float scaleX, float scaleY, float angle)
{
    AppendContent("q");
    if (scaleX != 1 || scaleY != 1 || x != 0 || y != 0)
        AppendContent(pdf::FormatNumber(scaleX) + " 0 0 " + pdf::FormatNumber(scaleY) + " " + FormatScaled(x) + " " +
                      FormatScaled(y) + " cm");
    if (angle != 0)
        AxisRotation(angle);
    SetXY(0, 0);
}

void PdfWriter::EndSpace()
{
    AppendContent("Q");
}

void PdfWriter::AxisTranslation(float x, float y)
{
    AppendContent("1 0 0 1 " + FormatScaled(x) + " " + FormatScaled(y) + " cm");
    SetXY(0, 0);
}

void PdfWriter::AxisScaling(float scaleX, float scaleY)
{
    AppendContent(pdf::FormatNumber(scaleX) + " 0 0 " + pdf::FormatNumber(scaleY) + " 0 0 cm");
}

void PdfWriter::AxisRotation(float angle)
{
    if (std::lround(angle) % 360 == 0)
        return;
    const double a = angle * kRadiansPerDegree;
    const std::string c = pdf::FormatNumber(std::cos(a));
    AppendContent(c + " " + pdf::FormatNumber(-std::sin(a)) + " " + pdf::FormatNumber(std::sin(a)) + " " + c +
                  " 0 0 cm");
}

void PdfWriter::AxisSkewing(float angleX, float angleY)
{
    AppendContent("1 " + pdf::FormatNumber(std::tan(angleX * kRadiansPerDegree)) + " " +
                  pdf::FormatNumber(std::tan(angleY * kRadiansPerDegree)) + " 1 0 0 cm");
}

void PdfWriter::SetXY(float x, float y)
{
    x_ = x * scale_;
    y_ = y * scale_;
}

void PdfWriter::MoveTo(float x, float y)
{
    AppendContent(FormatScaled(x) + " " + FormatScaled(y) + " m");
    SetXY(x, y);
}
