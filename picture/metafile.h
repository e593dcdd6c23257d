#pragma once
// Enhanced metafiles and placeable Windows metafiles. Both are held as an
// enhanced metafile; which one a file is comes from its bytes, not its
// name. Saving writes an EMF or a placeable WMF by SaveAsEnhanced, and a
// file name ending in ".wmf" always gets a placeable WMF.
#include <windows.h>

#include <cstdint>

#include "picture/graphic.h"
#include "picture/shared_image.h"
#include "ui/gdi.h"

class TMetafileImage : public TSharedImage {
public:
    EnhMetafile handle;
    int32_t logicalWidth = 0;   // 0.01 mm
    int32_t logicalHeight = 0;  // 0.01 mm
    uint16_t unitsPerInch = 0;  // of a placeable WMF as read; 0 for an EMF
    int32_t pendingWidth = 0;   // pixels set while there is no handle
    int32_t pendingHeight = 0;
    ::Palette palette;          // built on first use from the metafile's entries
    // The handle and the palette go with the record, not with DropHandle.
};

using MetafileImageRef = SharedImageRef<TMetafileImage>;

class TMetafile : public TGraphic {
public:
    TMetafile();
    ~TMetafile() override;

    static const TGraphicClass& Class();
    const TGraphicClass& Kind() const override { return Class(); }

    // From a metafile: share its record and take its SaveAsEnhanced; from null: a fresh record.
    void Assign(TObject* source) override;
    // Played stretched into the rectangle, right and bottom edges included.
    void Draw(TCanvas& canvas, const RECT& rect) override;
    // Never, once constructed.
    bool IsEmpty() const override { return !image_; }
    int Width() const override;
    int Height() const override;
    // Pixels to the logical size, by the same rule Width and Height use.
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    HPALETTE Palette() override;
    bool Transparent() const override { return true; }
    void SetTransparent(bool) override {}

    // A 32-bit length (counting itself), then the EMF or placeable WMF.
    void ReadStoredData(TStream& stream) override;
    void WriteStoredData(TStream& stream) override;
    // A name ending in ".wmf" is written as a placeable WMF.
    void SaveFile(const std::u16string& path) override;
    // EMF or placeable WMF by content; "Metafile is not valid" for anything else.
    void LoadStream(TStream& stream) override;
    void SaveStream(TStream& stream) override;
    // CF_ENHMETAFILE only.
    void LoadClipboardData(UINT format, HANDLE data, HPALETTE palette) override;
    // CF_ENHMETAFILE with a copy of the metafile, no palette.
    ClipboardData SaveClipboardData() override;

    // The enhanced metafile (still owned by the metafile), or null.
    HENHMETAFILE Handle() const { return image_->handle.get(); }
    int32_t LogicalWidth() const { return image_->logicalWidth; }
    int32_t LogicalHeight() const { return image_->logicalHeight; }
    uint16_t UnitsPerInch() const { return image_->unitsPerInch; }
    bool SaveAsEnhanced() const { return saveAsEnhanced_; }
    void SetSaveAsEnhanced(bool value) { saveAsEnhanced_ = value; }

private:
    void LoadEmf(const uint8_t* data, size_t size, TStream& stream, int64_t start);
    void LoadWmf(const uint8_t* data, size_t size);
    void Install(MetafileImageRef image);
    void Unshare();
    void WriteEmf(TStream& stream);
    void WriteWmf(TStream& stream);

    MetafileImageRef image_;
    bool saveAsEnhanced_ = true;
};

// The screen's pixels per inch (vertical), read on the first call.
int ScreenPixelsPerInch();
// Registers "wmf" and "emf" and reads the screen resolution (start-up).
void RegisterMetafileKind();
