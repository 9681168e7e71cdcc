#pragma once
// A small reader of existing PDF files for page import: cross-reference tables (with their /Prev
// chains), cross-reference streams and object streams, objects on demand, the page tree with its
// inherited attributes and the information dictionary. It does not build a full object model.

#include "pdf/Filters.h"
#include "pdf/PdfObjects.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace pdf {

struct PdfIndirectObject {
    PdfValue value;
    bool hasStream = false;
    std::string streamData;  // raw (still encoded) stream bytes
};

class PdfReader {
public:
    // Reads the file into memory and its cross-reference data. On failure `Error()` tells why.
    bool Open(const std::string& path);
    // The same from bytes already in memory.
    bool Load(std::string bytes);
    const std::string& Error() const { return error_; }

    int MinorVersion() const { return minorVersion_; }
    bool Encrypted() const { return trailer_.Get("Encrypt") != nullptr; }
    const PdfValue& Trailer() const { return trailer_; }

    // Object n, or nothing when it is missing or unreadable. Objects inside object streams come
    // without stream data, as the format requires.
    std::optional<PdfIndirectObject> ReadObject(int number);
    // A direct value, or the value of the object a reference points to (followed a few times).
    std::optional<PdfValue> Resolve(const PdfValue& value);

    // Object numbers of the page dictionaries in page-tree order (walked on first use).
    const std::vector<int>& Pages();
    // A page attribute looked up on the page and then on its /Parent chain (/Resources, /MediaBox...).
    std::optional<PdfValue> InheritedAttribute(int pageObject, std::string_view key);
    // Whether an object is a node of the page tree (/Type /Page or /Pages).
    bool IsPageTreeNode(int number);

    // A text entry of the information dictionary as UTF-8 (empty when absent).
    std::string InfoText(std::string_view key);

    // The decoded bytes of a stream (Flate with predictors, or no filter).
    PdfFilters::DecodeResult DecodeStream(const PdfIndirectObject& object);

private:
    struct XrefEntry {
        int type = 0;  // 1: at `offset` in the file; 2: number `index` of object stream `offset`
        long long offset = 0;
        int index = 0;
    };
    struct ObjectStream {
        std::string data;
        std::vector<std::pair<int, size_t>> objects;  // object number, offset into data
    };

    bool ReadCrossReferences();
    bool ReadSection(long long offset, int depth);
    bool ReadTable(PdfParser& parser, int depth);
    bool ReadStreamSection(long long offset, int depth);
    void AddEntry(int number, const XrefEntry& entry);
    void MergeTrailer(const PdfValue& dictionary);
    std::optional<PdfIndirectObject> ReadObjectAt(long long offset, int expectedNumber);
    std::optional<PdfIndirectObject> ReadCompressedObject(int streamNumber, int index, int number);
    std::optional<long long> StreamLength(const PdfValue& dictionary);
    void WalkPageTree(const PdfValue& node, int nodeNumber, int depth, std::vector<int>& visited);
    bool Fail(std::string message);

    std::string bytes_;
    std::string error_;
    int minorVersion_ = 0;
    PdfValue trailer_;
    std::unordered_map<int, XrefEntry> xref_;
    std::map<int, std::shared_ptr<ObjectStream>> objectStreams_;
    std::optional<std::vector<int>> pages_;
    int resolveDepth_ = 0;
};

}  // namespace pdf
