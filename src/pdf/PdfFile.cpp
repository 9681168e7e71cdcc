// Writing to the output file: lines, indirect objects, streams, and the content targets.

#include "pdf/PdfFormat.h"
#include "pdf/PdfWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
// Run-time error of a write to a file that is not open.
constexpr int kBadFileNumber = 52;
}

void PdfWriter::RecordError(std::string_view method, std::string_view detail, int number,
                            std::string_view description)
{
    errNumber_ = number;
    errSource_ = "PdfWriter." + std::string(method);
    errDescription_ = detail.empty() ? std::string(description)
                                     : std::string(detail) + " - " + std::string(description);
}

void PdfWriter::WriteBytes(std::string_view bytes)
{
    if (file_ == nullptr) {
        RecordError("WriteLine", fileName_, kBadFileNumber, "no document is open for writing");
        return;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        RecordError("WriteLine", fileName_, errno, std::strerror(errno));
    fileOffset_ += static_cast<long long>(bytes.size());
}

void PdfWriter::WriteLine(std::string_view text)
{
    WriteBytes(text);
    WriteBytes("\n");
}

int PdfWriter::OpenIndirectObject(int number)
{
    if (number == 0)
        number = highestObject_ + 1;
    if (number > highestObject_)
        highestObject_ = number;
    if (static_cast<std::size_t>(number) >= objectOffsets_.size()) {
        // Geometric growth keeps a document of any length linear; the first allocation follows
        // the memory-usage setting.
        const std::size_t wanted = std::max<std::size_t>(static_cast<std::size_t>(number) + 1,
                                                         objectOffsets_.size() * 2);
        objectOffsets_.resize(std::max<std::size_t>(wanted, static_cast<std::size_t>(growthFactor_) * 10), -1);
    }
    objectOffsets_[static_cast<std::size_t>(number)] = fileOffset_;
    currentObject_ = number;
    std::string line = std::to_string(number);
    line += " 0 obj";
    WriteLine(line);
    return number;
}

void PdfWriter::CloseIndirectObject()
{
    WriteLine("endobj");
}

void PdfWriter::WriteStream(std::string_view data, int objectNumber, std::string_view presetFilters,
                            long long length1)
{
    (void)objectNumber;  // the seam for enciphering streams per object, once encryption exists
    std::string filters(presetFilters);
    std::string encoded;
    if (compression_.flags != 0) {
        encoded = EncodeStream(data, filters);
        data = encoded;
    }
    std::string head;
    if (!filters.empty())
        head += "/Filter [" + filters + "]\n";
    if (length1 > 0)
        head += "/Length1 " + std::to_string(length1) + "\n";
    head += "/Length " + std::to_string(data.size()) + " >>\rstream\n";
    WriteBytes(head);
    WriteBytes(data);
    WriteLine("\nendstream");
}

int PdfWriter::WriteStreamObject(std::string_view data)
{
    const int number = OpenIndirectObject();
    WriteLine("<<");
    WriteStream(data, number);
    CloseIndirectObject();
    return number;
}

void PdfWriter::AppendContent(std::string_view line)
{
    ContentBuffer* target = nullptr;
    if (formOpen_)
        target = &formContent_;
    else if (pageOpen_ && !tilingOpen_)
        target = &pageContent_;
    else if (tilingOpen_)
        target = &tilingContent_;
    if (target == nullptr)
        return;
    target->Append(line);
    target->Append("\r");
}

std::string PdfWriter::FormatScaled(float value) const
{
    return pdf::FormatNumber(static_cast<double>(value * scale_));
}

std::string PdfWriter::PdfLiteral(std::string_view bytes) const
{
    std::string out = "(";
    pdf::AppendEscaped(out, bytes);
    out += ')';
    return out;
}

void PdfWriter::CloseFile()
{
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}
