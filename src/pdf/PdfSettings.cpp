// Page geometry, units, document properties and the small queries.

#include "pdf/PdfWriter.h"
#include "pdf/Win1252.h"

#include <sys/wait.h>
#include <unistd.h>

namespace {

struct PaperSize {
    int paper;
    float width, height;
};

// Points; A4 is 596 x 842 here, and each odd/negative-odd entry is the landscape twin.
constexpr PaperSize kPaperSizes[] = {
    {-8, 2384, 3371}, {-7, 3371, 2384}, {-6, 1685, 2384}, {-5, 2384, 1685}, {-4, 1192, 1685},
    {-3, 1685, 1192}, {-2, 842, 1192},  {-1, 1192, 842},  {0, 596, 842},    {1, 842, 596},
    {2, 421, 596},    {3, 596, 421},    {4, 298, 421},    {5, 421, 298},    {6, 210, 298},
    {7, 298, 210},    {8, 612, 792},    {9, 792, 612},    {10, 792, 1224},  {11, 1224, 792},
    {12, 612, 1008},  {13, 1008, 612},  {14, 396, 612},   {15, 612, 396},   {16, 522, 756},
    {17, 756, 522},
};

}  // namespace

void PdfWriter::SetPaperSize(int paper, float width, float height)
{
    if (paper == 255) {
        pageWidth_ = width * scale_;
        pageHeight_ = height * scale_;
        return;
    }
    for (const PaperSize& size : kPaperSizes) {
        if (size.paper == paper) {
            pageWidth_ = size.width;
            pageHeight_ = size.height;
            return;
        }
    }
}

void PdfWriter::SetScale(int mode, float factor)
{
    switch (mode) {
    case 0: scale_ = 1.0f; break;
    case 1: scale_ = 72.0f; break;
    case 2: scale_ = 2.83464550971985f; break;
    case 3: scale_ = 28.346457f; break;
    case 255: scale_ = factor; break;
    default: break;
    }
}

void PdfWriter::SetPageView(int mode)
{
    if (pageOpen_)
        pageRotation_ = mode;
    else
        defaultRotation_ = mode;
}

void PdfWriter::SetMargins(float left, float right, float top, float bottom, bool clip)
{
    marginLeft_ = left * scale_;
    marginRight_ = right * scale_;
    marginTop_ = top * scale_;
    marginBottom_ = bottom * scale_;
    clipToMargins_ = clip;
}

void PdfWriter::SetDocProperty(std::string_view title, std::string_view subject, std::string_view author,
                               std::string_view creator, std::string_view producer, std::string_view keywords)
{
    title_ = pdf::Utf8ToWin1252(title);
    subject_ = pdf::Utf8ToWin1252(subject);
    keywords_ = pdf::Utf8ToWin1252(keywords);
    if (!author.empty())
        author_ = pdf::Utf8ToWin1252(author);
    if (!creator.empty())
        creator_ = pdf::Utf8ToWin1252(creator);
    if (!producer.empty())
        producer_ = pdf::Utf8ToWin1252(producer);
}

void PdfWriter::SetViewerPreferences(int flags)
{
    viewerFlags_ = flags;
}

void PdfWriter::SetMemoryUsage(int factor)
{
    // Below 1 there is nothing to grow by; above 10 the value is ignored.
    if (factor >= 1 && factor <= 10)
        growthFactor_ = factor;
}

float PdfWriter::GetPageWidth(bool excludeMargins) const
{
    return (pageWidth_ - (excludeMargins ? marginLeft_ + marginRight_ : 0.0f)) / scale_;
}

float PdfWriter::GetPageHeight(bool excludeMargins) const
{
    return (pageHeight_ - (excludeMargins ? marginTop_ + marginBottom_ : 0.0f)) / scale_;
}

long long PdfWriter::FileSize() const
{
    return file_ != nullptr ? fileOffset_ : finalFileSize_;
}

void PdfWriter::OpenDoc()
{
    if (fileName_.empty())
        return;
    // The desktop's handler opens the file; a grandchild runs it so that nothing waits for the
    // viewer and no zombie is left behind. No shell is involved.
    const pid_t child = fork();
    if (child == 0) {
        if (fork() == 0) {
            execlp("xdg-open", "xdg-open", fileName_.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        _exit(0);
    }
    if (child > 0)
        waitpid(child, nullptr, 0);
}
