// Page import: pages of existing PDF files drawn as form objects. A page's content and every
// object its resources refer to are copied once per file; each later placement is one "Do".

#include "pdf/PdfFormat.h"
#include "pdf/PdfReader.h"
#include "pdf/PdfWriter.h"

#include <array>
#include <filesystem>
#include <optional>
#include <system_error>

namespace {

constexpr int kFileNotFound = 53;
constexpr int kInvalidFileFormat = 321;

// The form's resource name with its slash: /_PDF_<file>.<page>.
std::string FormResourceName(int fileIndex, int page)
{
    std::string name = "/_PDF_";
    name += std::to_string(fileIndex);
    name += '.';
    name += std::to_string(page);
    return name;
}

// Files are told apart by their canonical path, exactly as the file system does (letter case
// counts on Linux, where two names differing in case are two files).
std::string CanonicalPath(const std::string& fileName)
{
    std::error_code ec;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(fileName, ec);
    return ec ? fileName : canonical.string();
}

struct PageContent {
    std::string bytes;
    std::optional<pdf::PdfValue> filter;  // kept only for a single stream, which stays encoded
    std::optional<pdf::PdfValue> decodeParms;
};

bool IsSingleFlate(const pdf::PdfValue* filter)
{
    if (!filter) return false;
    if (filter->IsName("FlateDecode")) return true;
    return filter->Is(pdf::PdfValue::Kind::Array) && filter->items.size() == 1 && filter->items[0].IsName("FlateDecode");
}

// The page's content: one stream as it is (bytes and filter), several streams decoded and joined.
PageContent ReadPageContent(pdf::PdfReader& reader, const pdf::PdfValue& page)
{
    PageContent content;
    const pdf::PdfValue* contents = page.Get("Contents");
    if (!contents) return content;
    std::vector<pdf::PdfValue> parts;
    if (contents->Is(pdf::PdfValue::Kind::Reference)) {
        std::optional<pdf::PdfIndirectObject> object = reader.ReadObject(contents->objectNumber);
        if (!object) return content;
        if (object->hasStream) {
            content.bytes = std::move(object->streamData);
            if (const pdf::PdfValue* filter = object->value.Get("Filter")) content.filter = *filter;
            if (const pdf::PdfValue* parms = object->value.Get("DecodeParms")) content.decodeParms = *parms;
            return content;
        }
        if (object->value.Is(pdf::PdfValue::Kind::Array)) parts = object->value.items;
    } else if (contents->Is(pdf::PdfValue::Kind::Array)) {
        parts = contents->items;
    }
    for (const pdf::PdfValue& part : parts) {
        if (!part.Is(pdf::PdfValue::Kind::Reference)) continue;
        const std::optional<pdf::PdfIndirectObject> stream = reader.ReadObject(part.objectNumber);
        if (!stream || !stream->hasStream) continue;
        std::string bytes = stream->streamData;
        if (IsSingleFlate(stream->value.Get("Filter"))) {
            PdfFilters::DecodeResult decoded = reader.DecodeStream(*stream);
            if (decoded.ok) bytes = std::move(decoded.data);
        }
        // Streams of an array join as if separated by white space; keep tokens from merging.
        if (!content.bytes.empty() && !pdf::IsPdfWhitespace(content.bytes.back())) content.bytes += '\n';
        content.bytes += bytes;
    }
    return content;
}

// The four numbers of a rectangle, or Letter size when the page has no usable MediaBox.
std::array<double, 4> Rectangle(const std::optional<pdf::PdfValue>& box)
{
    std::array<double, 4> r{0, 0, 612, 792};
    if (!box || !box->Is(pdf::PdfValue::Kind::Array) || box->items.size() < 4) return r;
    for (size_t i = 0; i < 4; ++i)
        if (!box->items[i].Is(pdf::PdfValue::Kind::Number)) return {0, 0, 612, 792};
    for (size_t i = 0; i < 4; ++i) r[i] = box->items[i].number;
    return r;
}

}  // namespace

int PdfWriter::GetInfo(const std::string& fileName, std::string& title, std::string& subject, std::string& author,
                       bool& encrypted)
{
    std::error_code ec;
    if (fileName.empty() || !std::filesystem::is_regular_file(fileName, ec)) {
        RecordError("GetInfo", fileName, kFileNotFound, "File not found");
        import_.currentImport = 0;
        return 0;
    }
    const std::string key = CanonicalPath(fileName);
    int index = 0;
    for (size_t i = 0; i < import_.files.size(); ++i)
        if (import_.files[i].path == key) index = int(i) + 1;

    if (index == 0) {
        pdf::PdfReader reader;
        if (!reader.Open(fileName) || reader.Pages().empty()) {
            RecordError("GetInfo", fileName, kInvalidFileFormat,
                        "Invalid file format" + (reader.Error().empty() ? std::string() : " (" + reader.Error() + ")"));
            import_.currentImport = 0;
            return 0;
        }
        ImportedFile file;
        file.path = key;
        file.versionBump = reader.MinorVersion() - 3;
        for (int object : reader.Pages()) file.pages.push_back({object, 0, 0});
        file.title = reader.InfoText("Title");
        file.author = reader.InfoText("Author");
        file.creator = reader.InfoText("Creator");
        file.producer = reader.InfoText("Producer");
        file.subject = reader.InfoText("Subject");
        file.encrypted = reader.Encrypted();
        import_.files.push_back(std::move(file));
        index = int(import_.files.size());
    }
    import_.currentImport = index;
    const ImportedFile& file = import_.files[size_t(index) - 1];
    title = file.title;
    subject = file.subject;
    author = file.author;
    encrypted = file.encrypted;
    return int(file.pages.size());
}

void PdfWriter::ImportPage(const std::string& fileName, int page, float x, float y, float width, float height)
{
    std::string title, subject, author;
    bool encrypted = false;
    const int pageCount = GetInfo(fileName, title, subject, author, encrypted);
    if (import_.currentImport == 0 || page < 1 || page > pageCount) return;
    const int fileIndex = import_.currentImport;
    ImportedFile& file = import_.files[size_t(fileIndex) - 1];
    if (file.encrypted) return;
    if (file.pages[size_t(page) - 1].object > 0 && !ImportPageForm(file, fileIndex, page)) return;
    PlaceImportedPage(file, fileIndex, page, x, y, width, height);
}

bool PdfWriter::ImportPageForm(ImportedFile& file, int fileIndex, int page)
{
    ImportedPage& target = file.pages[size_t(page) - 1];
    pdf::PdfReader reader;
    std::optional<pdf::PdfIndirectObject> pageObject;
    if (!reader.Open(file.path) || !(pageObject = reader.ReadObject(target.object))) {
        RecordError("ImportPage", file.path, kInvalidFileFormat, "Invalid file format");
        return false;
    }
    const std::optional<pdf::PdfValue> resources = reader.InheritedAttribute(target.object, "Resources");
    const std::array<double, 4> box = Rectangle(reader.InheritedAttribute(target.object, "MediaBox"));
    const PageContent content = ReadPageContent(reader, pageObject->value);

    const std::string resourceText =
        resources && resources->Is(pdf::PdfValue::Kind::Dictionary) ? CopyReferencedObjects(reader, file, *resources) : "<< >>";
    const std::string filterText = content.filter ? CopyReferencedObjects(reader, file, *content.filter) : "";
    const std::string parmsText = content.decodeParms ? CopyReferencedObjects(reader, file, *content.decodeParms) : "";
    target.width = float(box[2] - box[0]);
    target.height = float(box[3] - box[1]);

    const int number = OpenIndirectObject();
    WriteLine("<< /Type /XObject /Subtype /Form /FormType 1");
    WriteLine("   /BBox [" + pdf::FormatNumber(box[0]) + " " + pdf::FormatNumber(box[1]) + " " + pdf::FormatNumber(box[2]) +
              " " + pdf::FormatNumber(box[3]) + " ]");
    WriteLine("   /Resources " + resourceText);
    WriteLine("   /Length " + std::to_string(content.bytes.size()));
    if (!filterText.empty()) WriteLine("   /Filter " + filterText);
    if (!parmsText.empty()) WriteLine("   /DecodeParms " + parmsText);
    WriteLine(">>");
    WriteLine("stream\r\n" + content.bytes + "\rendstream");
    CloseIndirectObject();

    formResources_ += FormResourceName(fileIndex, page);
    formResources_ += ' ';
    formResources_ += std::to_string(number);
    formResources_ += " 0 R \r";
    target.object = -number;
    return true;
}

// Copies every object `value` refers to, directly or through other objects, once per source
// file, and returns `value` as text with the references renumbered. Page-tree nodes are not
// followed (a resource pointing back at a page would drag in the whole document): such
// references become null.
std::string PdfWriter::CopyReferencedObjects(pdf::PdfReader& reader, ImportedFile& file, const pdf::PdfValue& value)
{
    constexpr int kNotCopied = -1;  // in objectMap: looked at, written as null
    auto slot = [&](int number) -> int& {
        if (size_t(number) >= file.objectMap.size()) file.objectMap.resize(size_t(number) + 64, 0);
        return file.objectMap[size_t(number)];
    };
    auto mapReference = [&](const pdf::PdfValue& ref) -> std::string {
        const int out = ref.objectNumber > 0 ? slot(ref.objectNumber) : 0;
        return out > 0 ? std::to_string(out) + " 0 R" : "null";
    };
    auto collectReferences = [](const pdf::PdfValue& v, std::vector<int>& into) {
        std::vector<const pdf::PdfValue*> stack{&v};
        while (!stack.empty()) {
            const pdf::PdfValue* cur = stack.back();
            stack.pop_back();
            if (cur->Is(pdf::PdfValue::Kind::Reference)) into.push_back(cur->objectNumber);
            for (const auto& item : cur->items) stack.push_back(&item);
            for (const auto& entry : cur->entries) stack.push_back(&entry.second);
        }
    };

    // Numbers are given out before anything is written, so that objects referring to each other
    // (cycles included) all find their output numbers.
    std::vector<std::pair<int, pdf::PdfIndirectObject>> toWrite;
    std::vector<int> pending;
    collectReferences(value, pending);
    while (!pending.empty()) {
        const int number = pending.back();
        pending.pop_back();
        if (number <= 0 || slot(number) != 0) continue;
        std::optional<pdf::PdfIndirectObject> object = reader.ReadObject(number);
        const pdf::PdfValue* type = object ? object->value.Get("Type") : nullptr;
        if (!object || (type && (type->IsName("Page") || type->IsName("Pages")))) {
            slot(number) = kNotCopied;
            continue;
        }
        slot(number) = ++highestObject_;
        collectReferences(object->value, pending);
        toWrite.emplace_back(slot(number), std::move(*object));
    }
    for (auto& [outputNumber, object] : toWrite) {
        if (object.hasStream) {
            // The length of the bytes actually copied (the reader may have recovered it).
            pdf::PdfValue length;
            length.kind = pdf::PdfValue::Kind::Number;
            length.text = std::to_string(object.streamData.size());
            if (pdf::PdfValue* existing = object.value.Get("Length")) *existing = std::move(length);
            else object.value.entries.emplace_back("Length", std::move(length));
        }
        OpenIndirectObject(outputNumber);
        WriteLine(pdf::SerializeValue(object.value, mapReference));
        if (object.hasStream) WriteLine("stream\r\n" + object.streamData + "\rendstream");
        CloseIndirectObject();
    }
    return pdf::SerializeValue(value, mapReference);
}

void PdfWriter::PlaceImportedPage(const ImportedFile& file, int fileIndex, int page, float x, float y, float width,
                                  float height)
{
    const ImportedPage& source = file.pages[size_t(page) - 1];
    if (source.width <= 0 || source.height <= 0) return;
    SetXY(x, y);
    if (width == 0 && height == 0) {
        width = source.width / scale_;
        height = source.height / scale_;
    } else if (width == 0) {
        width = height * source.width / source.height;
    } else if (height == 0) {
        height = width * source.height / source.width;
    }
    const float sx = width * scale_ / source.width;
    const float sy = height * scale_ / source.height;
    AppendContent("q");
    AppendContent(pdf::FormatNumber(sx) + " 0 0 " + pdf::FormatNumber(-sy) + " " + FormatScaled(x) + " " +
                  FormatScaled(y + height) + " cm");
    AppendContent(FormResourceName(fileIndex, page) + " Do");
    AppendContent("Q");
    lastTextBox_ = {x_, pageHeight_ - y_, width * scale_ + x_, pageHeight_ - y_ - height * scale_};
    RaiseVersion(file.versionBump);
}
