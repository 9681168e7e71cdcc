// Form objects: reusable drawings placed by name, and their automatic placement on pages.

#include "pdf/PdfFormat.h"
#include "pdf/PdfWriter.h"

namespace {
constexpr int kFirstPage = 1;
constexpr int kEvenPages = 2;
constexpr int kOddPages = 4;
constexpr int kEveryPage = 7;
constexpr int kNeverFirstPage = 8;
constexpr int kForeground = 0x10;

bool PlacedOnPage(int options, int page)
{
    bool placed = (options & kEveryPage) == kEveryPage || ((options & kEvenPages) && page % 2 == 0) ||
                  ((options & kOddPages) && page % 2 == 1);
    if (page == 1)
        placed = !(options & kNeverFirstPage) && (placed || (options & kFirstPage));
    return placed;
}
}  // namespace

void PdfWriter::BeginObject(std::string_view alias, int options)
{
    if (formOpen_)
        return;  // form objects do not nest: drawing goes on into the one already open
    formObjects_.push_back({pdf::PdfName(alias), {}, options});
    formOpen_ = true;
    formContent_.Reset();
}

void PdfWriter::EndObject()
{
    // With no form object open there is nothing to close; writing an empty form under an alias
    // already written would repeat a resource name.
    if (!formOpen_ || formObjects_.empty())
        return;
    const std::string& alias = formObjects_.back().Alias;
    const int number = OpenIndirectObject();
    std::string head = "<< /Type /XObject /Subtype /Form /FormType 1 /Name /" + alias + "\r/BBox [";
    pdf::AppendNumber(head, -2 * pageWidth_);
    head += ' ';
    pdf::AppendNumber(head, -2 * pageHeight_);
    head += ' ';
    pdf::AppendNumber(head, 2 * pageWidth_);
    head += ' ';
    pdf::AppendNumber(head, 2 * pageHeight_);
    head += "]\r/Matrix [1 0 0 1 0 0]";
    WriteLine(head);
    WriteStream(formContent_.View(), number);
    CloseIndirectObject();
    formResources_ += "/" + alias + " " + std::to_string(number) + " 0 R \r";
    formOpen_ = false;
    formContent_.Reset();
}

void PdfWriter::PlayObject(std::string_view alias)
{
    PlayForm(pdf::PdfName(alias));
}

void PdfWriter::PlayForm(std::string_view name)
{
    std::string line = "q /";
    line += name;
    line += " Do Q";
    AppendContent(line);
}

void PdfWriter::PlayAutomaticObjects(bool foreground)
{
    for (const FormObjectRecord& form : formObjects_) {
        if (((form.Options & kForeground) != 0) != foreground)
            continue;
        if (PlacedOnPage(form.Options, pageCount_)) {
            PlayForm(form.Alias);
            pageAnnotations_ += form.ObjectAnnotations;
        }
    }
}
