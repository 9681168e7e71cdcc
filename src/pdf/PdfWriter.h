#pragma once
// PdfWriter writes one PDF file sequentially, page by page: objects go to disk as soon as they
// are complete, so memory holds only the page or form object under construction and the small
// tables needed at the end (object offsets, page list, resource names).
//
// Coordinates and sizes are in user units (see SetScale) with the origin at the top-left corner
// of the margin box and y growing downwards. Text crosses this interface as UTF-8 and is written
// as Windows-1252 bytes (the WinAnsiEncoding the fonts declare).
//
// The writer never throws and never stops its caller: failures are recorded (ErrNumber,
// ErrSource, ErrDescription) and the next step runs anyway.

#include "pdf/ContentBuffer.h"
#include "pdf/FontRecord.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace pdf {
class PdfReader;
struct PdfValue;
}

class PdfWriter {
public:
    PdfWriter();
    ~PdfWriter();
    PdfWriter(const PdfWriter&) = delete;
    PdfWriter& operator=(const PdfWriter&) = delete;

    // ---- Life cycle -----------------------------------------------------------------------
    void Abort();
    std::string BeginDoc(const std::string& fileName);
    int BeginPage();
    void EndPage();
    void EndDoc();
    void OpenDoc();

    // ---- Settings -------------------------------------------------------------------------
    void SetPaperSize(int paper, float width, float height);
    void SetScale(int mode, float factor);
    void SetPageView(int mode);
    void SetMargins(float left, float right, float top, float bottom, bool clip);
    void SetDocProperty(std::string_view title, std::string_view subject, std::string_view author,
                        std::string_view creator, std::string_view producer, std::string_view keywords);
    void SetViewerPreferences(int flags);
    void SetMemoryUsage(int factor);

    // ---- Queries --------------------------------------------------------------------------
    int GetPage() const { return pageCount_; }
    float GetPageWidth(bool excludeMargins) const;
    float GetPageHeight(bool excludeMargins) const;
    float GetX() const { return x_ / scale_; }
    float GetY() const { return y_ / scale_; }
    long long FileSize() const;
    static std::string Version() { return "2.4.8"; }
    int ErrNumber() const { return errNumber_; }
    const std::string& ErrSource() const { return errSource_; }
    const std::string& ErrDescription() const { return errDescription_; }
    const std::string& FileName() const { return fileName_; }
    float GetScale() const { return scale_; }
    // Box of the last text or page drawn, in points of default PDF space: left, bottom, right, top.
    const std::array<float, 4>& LastTextBox() const { return lastTextBox_; }

    // ---- Fonts and text -------------------------------------------------------------------
    void SetFont(std::string_view name, float size, int style, int encoding);
    void SetFontSize(float points) { fontSize_ = points; }
    std::string AddFont(const std::string& fontFile, std::string_view alias, bool embedded, int encoding);
    void DrawText(float x, float y, std::string_view text, int align);
    void WriteText(std::string_view text, int textStyle, float percentSize);
    void WriteTextLn(std::string_view text);
    // Flows text into the box; returns the part that did not fit (empty when all of it did).
    // align: 1 left, 2 right, 4 centred, 0x40 justified, 0x80 shrink long lines, 0x100 fit lines.
    // options: "F" fills the box with the fill colour, "L" strokes its border.
    std::string DrawTextBox(float x, float y, float width, float height, std::string_view text,
                            float indentation, int align, std::string_view options);
    float TextLength(std::string_view text) const;
    float TextHeight() const;
    void SetCharSpacing(float value);
    void SetWordSpacing(float value);
    void SetTextHorizontalScaling(float percent);
    void SetTextLineSpacing(float factor);
    void SetTextMode(int mode);
    void SetColorText(std::string_view colour);
    void SetColorFill(std::string_view colour);
    void SetColorLine(std::string_view colour);

    // ---- Drawing ----------------------------------------------------------------------------
    void SetLineWidth(float width);
    void LineTo(float x, float y);
    void DrawLine(float x1, float y1, float x2, float y2);
    // mode: "F" filled, "L" stroked (the default), "FL" both.
    void DrawRectangle(float x, float y, float width, float height, std::string_view mode);

    // ---- Form objects and geometry --------------------------------------------------------
    void BeginObject(std::string_view alias, int options);
    void EndObject();
    void PlayObject(std::string_view alias);
    void BeginSpace(float x, float y, float scaleX, float scaleY, float angle);
    void EndSpace();
    void AxisTranslation(float x, float y);
    void AxisScaling(float scaleX, float scaleY);
    void AxisRotation(float angle);
    void AxisSkewing(float angleX, float angleY);
    void SetXY(float x, float y);
    void MoveTo(float x, float y);

    // ---- Stream compression ---------------------------------------------------------------
    // Public declarations of the compression work go here (SetCompression is defined with it,
    // in PdfCompression.cpp, together with EncodeStream below).
    void SetCompression(int flags, int quality);

    // ---- Page import ----------------------------------------------------------------------
    // Page count of a PDF file, with its title, subject, author (UTF-8) and whether it is
    // encrypted; 0 with error 53 (no such file) or 321 (not a readable PDF) recorded on failure.
    int GetInfo(const std::string& fileName, std::string& title, std::string& subject, std::string& author,
                bool& encrypted);
    // Places page `page` (from 1) of a PDF file with its top-left corner at (x, y), scaled to
    // width x height user units (0 and 0: natural size; one of them 0: keeps the proportions).
    // The page becomes a form object written once; later placements only refer to it.
    void ImportPage(const std::string& fileName, int page, float x, float y, float width, float height);

private:
    // ---- Stream compression (state) -------------------------------------------------------
    // Everything the filter chain keeps lives in this struct; Abort resets it to its defaults,
    // so fields added here need default initialisers only.
    struct CompressionState {
        std::uint8_t flags = 0;  // CompressionFlags
        std::uint8_t level = 0;  // CompressionLevel
    };
    CompressionState compression_;
    // Passes a stream's bytes through the filter chain. filterEntry holds the caller's preset
    // filters on entry (empty: none, so the writer's own chain applies) and the names to list
    // in /Filter on return (without brackets, each followed by a blank).
    std::string EncodeStream(std::string_view data, std::string& filterEntry);

    // ---- Page import (state) --------------------------------------------------------------
    // Everything page import keeps lives in this struct; Abort resets it to its defaults.
    struct ImportedPage {
        int object = 0;  // source page object while not imported; -(form object) once imported
        float width = 0, height = 0;  // MediaBox size in points, set at import
    };
    struct ImportedFile {
        std::string path;  // canonical path: the key under which the file is known
        int versionBump = 0;
        std::vector<ImportedPage> pages;
        std::vector<int> objectMap;  // output object of each source object copied, 0 when not yet
        std::string title, author, creator, producer, subject;
        bool encrypted = false;
    };
    struct ImportState {
        int currentImport = 0;  // CurrentImport: index from 1 into files, 0 when the last GetInfo failed
        std::vector<ImportedFile> files;  // ImportedFiles
    };
    ImportState import_;
    bool ImportPageForm(ImportedFile& file, int fileIndex, int page);  // PdfImport.cpp
    std::string CopyReferencedObjects(pdf::PdfReader& reader, ImportedFile& file, const pdf::PdfValue& value);
    void PlaceImportedPage(const ImportedFile& file, int fileIndex, int page, float x, float y, float width,
                           float height);

    // ---- File writing (shared by every part of the writer) --------------------------------
    void WriteBytes(std::string_view bytes);
    void WriteLine(std::string_view text);  // text + LF
    int OpenIndirectObject(int number = 0);
    void CloseIndirectObject();
    // The one way every stream object is written: the caller has written "<<" and its own
    // entries; this writes /Filter, /Length1, /Length, and the data (through EncodeStream).
    void WriteStream(std::string_view data, int objectNumber, std::string_view presetFilters = {},
                     long long length1 = 0);
    int WriteStreamObject(std::string_view data);
    void AppendContent(std::string_view line);
    std::string FormatScaled(float value) const;
    std::string PdfLiteral(std::string_view bytes) const;
    void RecordError(std::string_view method, std::string_view detail, int number,
                     std::string_view description);
    void RaiseVersion(int n) { versionBump_ = versionBump_ > n ? versionBump_ : n; }
    long long FileOffset() const { return fileOffset_; }

    // ---- Document structure (PdfDocument.cpp) ----------------------------------------------
    void ResetState();
    void CloseFile();
    std::string PageTransform() const;
    void WritePageDictionary(int pageObject, int rotation);
    void WriteResourceDictionary(int number, bool withPatterns);
    void WritePageTree();
    int WriteCatalog(int metadataObject);
    int WriteInformation();
    void WriteCrossReference();
    void ApplyVersionBump();
    int WriteMetadata();  // PdfXmp.cpp

    // ---- Fonts and text (PdfFont.cpp, PdfText.cpp, PdfTextBox.cpp) --------------------------
    int FindFont(std::string_view key, int encoding) const;
    std::string UniqueResourceName(std::string name, int style) const;
    void WriteFontObject(FontRecord& record, std::string_view resourceName, std::string_view fontFile,
                         std::string_view descriptorEntries);
    void WritePendingFonts();
    const FontRecord* CurrentFontRecord() const;
    float TextLengthBytes(std::string_view bytes) const;  // text already in Windows-1252
    float DrawTextLine(float x, float y, float width, std::string_view bytes, float offset, int flags,
                       bool newLine);
    void WriteDecorations(float left, float y, float naturalWidth);
    void WriteColor(std::string& stored, std::string& storedExtra, std::string_view colour,
                    bool stroke);

    // ---- Form objects (PdfForms.cpp) -------------------------------------------------------
    struct FormObjectRecord {
        std::string Alias;  // in PDF name form (see pdf::PdfName)
        std::string ObjectAnnotations;
        int Options = 0;
    };
    void PlayAutomaticObjects(bool foreground);
    void PlayForm(std::string_view name);  // name already in PDF name form

    // ---- Writer state ----------------------------------------------------------------------
    std::FILE* file_ = nullptr;
    std::vector<char> fileBuffer_;
    long long fileOffset_ = 0;
    std::string fileName_;
    long long finalFileSize_ = 0;

    std::string title_, subject_, keywords_, author_, creator_, producer_;  // Windows-1252 bytes
    std::string creationDate_;      // "D:yyyymmddhhmmss" + time zone
    std::string creationDateXmp_;   // the same instant in XMP form

    float pageWidth_ = 596, pageHeight_ = 842;
    float scale_ = 1.0f;
    int defaultRotation_ = 0, pageRotation_ = 0;
    float marginLeft_ = 0, marginRight_ = 0, marginTop_ = 0, marginBottom_ = 0;
    bool clipToMargins_ = false;
    int versionBump_ = 0;

    int highestObject_ = 0;
    int currentObject_ = 0;
    std::vector<long long> objectOffsets_;  // by object number; -1 when never written
    std::vector<int> pageObjects_;          // by page number - 1
    int pageCount_ = 0;
    std::string kidsList_;

    bool pageOpen_ = false, formOpen_ = false, tilingOpen_ = false;
    ContentBuffer pageContent_, formContent_, tilingContent_;
    std::string pageAnnotations_;
    std::string fontResources_, formResources_, imageResources_, graphicStates_, patterns_;

    int viewerFlags_ = 0;
    int growthFactor_ = 1;

    int errNumber_ = 0;
    std::string errSource_, errDescription_;

    // Text state
    std::vector<FontRecord> fontTable_;  // FontTable; CurrentFont is an index from 1
    std::string fontName_;
    int fontStyle_ = 0;
    float fontSize_ = 0;
    std::string fontResource_;
    int currentFont_ = 0;
    float charSpacing_ = 0, wordSpacing_ = 0, horizontalScaling_ = 100, lineSpacing_ = 1;
    std::string textColor_ = "#000000", textColorExtra_;
    std::string fillColor_ = "#FFFFFF", fillColorExtra_;
    std::string lineColor_ = "#000000", lineColorExtra_;
    float x_ = 0, y_ = 0;  // points, page user space
    std::array<float, 4> lastTextBox_{};

    std::vector<FormObjectRecord> formObjects_;  // FormObjectTable, in BeginObject order
};
