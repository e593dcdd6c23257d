#include "picture/metafile.h"

#include <algorithm>
#include <vector>

#include "picture/codec/converter_input.h"
#include "picture/codec/metafile.h"
#include "picture/codec_errors.h"
#include "picture/formats.h"
#include "picture/metafile_play.h"
#include "picture/picture.h"
#include "picture/stored_data.h"
#include "picture/wmf_conversion.h"
#include "platform/exceptions.h"
#include "platform/stream.h"
#include "ui/scope.h"

namespace mf = codec::metafile;

namespace {
const char kInvalidMetafile[] = "Metafile is not valid";

[[noreturn]] void Invalid() { throw EInvalidGraphic(kInvalidMetafile); }

[[noreturn]] void RefusedBySystem() { throw OutOfResources(GetLastError()); }

ENHMETAHEADER HeaderOf(HENHMETAFILE handle) {
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(handle, sizeof header, &header);
    return header;
}

struct Extent {
    int32_t logical;
    int32_t pending;
    LONG devicePixels;
    LONG deviceMillimetres;
};

// A WMF by the screen's resolution; an EMF by its own reference device.
int32_t Pixels(const TMetafileImage& image, const Extent& e) {
    if (image.unitsPerInch != 0) return mf::WmfPixels(e.logical, ScreenPixelsPerInch());
    if (!image.handle) return e.pending;
    return mf::EmfPixels(e.logical, e.devicePixels, e.deviceMillimetres);
}

int32_t PixelWidth(const TMetafileImage& image) {
    const ENHMETAHEADER h = image.handle ? HeaderOf(image.handle.get()) : ENHMETAHEADER{};
    return Pixels(image, {image.logicalWidth, image.pendingWidth, h.szlDevice.cx, h.szlMillimeters.cx});
}

int32_t PixelHeight(const TMetafileImage& image) {
    const ENHMETAHEADER h = image.handle ? HeaderOf(image.handle.get()) : ENHMETAHEADER{};
    return Pixels(image, {image.logicalHeight, image.pendingHeight, h.szlDevice.cy, h.szlMillimeters.cy});
}

// Pixels back to 0.01 mm, the inverse of Pixels; -1 when it cannot be worked out.
int32_t Logical(const TMetafileImage& image, int32_t pixels, LONG devicePixels, LONG deviceMillimetres) {
    if (image.unitsPerInch != 0) return mf::MulDiv(pixels, 2540, ScreenPixelsPerInch());
    if (deviceMillimetres <= 0 || deviceMillimetres > INT32_MAX / 100) return -1;
    return mf::MulDiv(pixels, deviceMillimetres * 100, devicePixels);
}

int32_t FrameExtent(LONG from, LONG to) {
    const int64_t extent = int64_t(to) - from;
    if (extent > INT32_MAX || extent < INT32_MIN) Invalid();
    return int32_t(extent);
}

bool HasPalette(HENHMETAFILE handle) {
    const UINT count = GetEnhMetaFilePaletteEntries(handle, 0, nullptr);
    return count != 0 && count != UINT(GDI_ERROR);
}

// A metafile that measures no pixels cannot be shown or laid out.
void CheckPixelSize(const TMetafileImage& image) {
    if (PixelWidth(image) <= 0 || PixelHeight(image) <= 0) Invalid();
}

// The system's converter copies into its records what it could not make
// sense of (a region drawn with a pen, an object that was never made), and
// its player trusts them: they are mended as a file's are, in a copy that
// replaces the converted metafile.
void MendConverted(EnhMetafile& converted) {
    const UINT size = GetEnhMetaFileBits(converted.get(), 0, nullptr);
    std::vector<uint8_t> bytes(size);
    if (size == 0 || GetEnhMetaFileBits(converted.get(), size, bytes.data()) != size) Invalid();
    const mf::Emf emf = Checked(kInvalidMetafile, [&] { return mf::ReadEmf(bytes.data(), bytes.size()); });
    if (emf.mending.mended == 0 && emf.mending.dropped == 0) return;
    converted.reset(SetEnhMetaFileBits(UINT(emf.playable.size()), emf.playable.data()));
    if (!converted) Invalid();
}

// The records of a Windows metafile converted to an enhanced metafile; the
// converter needs every bitmap's counts stated.
EnhMetafile Converted(std::vector<uint8_t> records) {
    Checked(kInvalidMetafile, [&] {
        mf::StateWmfBitmapCounts(records.data(), records.size());
        return 0;
    });
    const METAFILEPICT mapping{MM_ANISOTROPIC, 0, 0, nullptr};
    EnhMetafile converted(SetWinMetaFileBits(UINT(records.size()), records.data(), nullptr, &mapping));
    if (!converted) Invalid();
    MendConverted(converted);
    return converted;
}

}  // namespace

int ScreenPixelsPerInch() {
    static const int ppi = [] {
        WindowDC screen(nullptr);
        return GetDeviceCaps(screen.get(), LOGPIXELSY);
    }();
    return ppi;
}

const TGraphicClass& TMetafile::Class() {
    static const TGraphicClass kind{"TMetafile", nullptr, &CreateGraphic<TMetafile>};
    return kind;
}

TMetafile::TMetafile() : image_(new TMetafileImage) { transparent_ = true; }

TMetafile::~TMetafile() = default;

void TMetafile::Assign(TObject* source) {
    if (!source) {
        image_ = MetafileImageRef(new TMetafileImage);
        return Changed(this);
    }
    if (auto* other = dynamic_cast<TMetafile*>(source)) {
        image_ = other->image_;
        saveAsEnhanced_ = other->saveAsEnhanced_;
        return Changed(this);
    }
    TGraphic::Assign(source);
}

int TMetafile::Width() const { return PixelWidth(*image_); }

int TMetafile::Height() const { return PixelHeight(*image_); }

void TMetafile::Unshare() {
    if (!image_.Shared()) return;
    const TMetafileImage& old = *image_;
    MetafileImageRef copy(new TMetafileImage);
    if (old.handle) {
        copy->handle.reset(CopyEnhMetaFileA(old.handle.get(), nullptr));
        if (!copy->handle) RefusedBySystem();
    }
    copy->logicalWidth = old.logicalWidth;
    copy->logicalHeight = old.logicalHeight;
    copy->unitsPerInch = old.unitsPerInch;
    copy->pendingWidth = old.pendingWidth;
    copy->pendingHeight = old.pendingHeight;
    image_ = std::move(copy);
}

void TMetafile::SetWidth(int value) {
    Unshare();
    TMetafileImage& image = *image_;
    if (image.unitsPerInch == 0 && !image.handle) {
        image.pendingWidth = value;
    } else {
        const ENHMETAHEADER h = image.handle ? HeaderOf(image.handle.get()) : ENHMETAHEADER{};
        image.logicalWidth = Logical(image, value, h.szlDevice.cx, h.szlMillimeters.cx);
    }
    Changed(this);
}

void TMetafile::SetHeight(int value) {
    Unshare();
    TMetafileImage& image = *image_;
    if (image.unitsPerInch == 0 && !image.handle) {
        image.pendingHeight = value;
    } else {
        const ENHMETAHEADER h = image.handle ? HeaderOf(image.handle.get()) : ENHMETAHEADER{};
        image.logicalHeight = Logical(image, value, h.szlDevice.cy, h.szlMillimeters.cy);
    }
    Changed(this);
}

HPALETTE TMetafile::Palette() {
    TMetafileImage& image = *image_;
    if (image.palette || !image.handle) return image.palette.get();
    if (!HasPalette(image.handle.get())) return nullptr;
    const UINT count = std::min<UINT>(GetEnhMetaFilePaletteEntries(image.handle.get(), 0, nullptr), 256);
    std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(buffer.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = WORD(count);
    if (GetEnhMetaFilePaletteEntries(image.handle.get(), count, logical->palPalEntry) != count) return nullptr;
    image.palette.reset(CreatePalette(logical));
    return image.palette.get();
}

void TMetafile::Draw(TCanvas& canvas, const RECT& rect) {
    if (!Handle()) return;
    HDC dc = canvas.Handle();
    PaletteGuard realise(dc, Palette());
    // The played frame includes its right and bottom edges.
    const RECT frame{rect.left, rect.top, rect.right - 1, rect.bottom - 1};
    PlayWithinReach(dc, Handle(), frame);
}

void TMetafile::Install(MetafileImageRef image) {
    image_ = std::move(image);
    SetPaletteModified(image_->handle && HasPalette(image_->handle.get()));
    Changed(this);
}

void TMetafile::LoadStream(TStream& stream) {
    const int64_t start = stream.Position();
    std::vector<uint8_t> bytes(size_t(std::max<int64_t>(0, stream.Remaining())));
    stream.ReadBuffer(bytes.data(), bytes.size());
    if (mf::IsEmf(bytes.data(), bytes.size()))
        LoadEmf(bytes.data(), bytes.size(), stream, start);
    else
        LoadWmf(bytes.data(), bytes.size());
}

void TMetafile::LoadEmf(const uint8_t* data, size_t size, TStream& stream, int64_t start) {
    const mf::Emf emf = Checked(kInvalidMetafile, [&] { return mf::ReadEmf(data, size); });
    const mf::EmfHeader& header = emf.header;
    MetafileImageRef image(new TMetafileImage);
    image->handle.reset(SetEnhMetaFileBits(UINT(emf.playable.size()), emf.playable.data()));
    if (!image->handle) Invalid();
    image->logicalWidth = header.logicalWidth;
    image->logicalHeight = header.logicalHeight;
    CheckPixelSize(*image);
    // Bytes after the metafile are left for whoever reads on.
    stream.SetPosition(start + header.totalSize);
    saveAsEnhanced_ = true;
    Install(std::move(image));
}

void TMetafile::LoadWmf(const uint8_t* data, size_t size) {
    const mf::Wmf wmf = Checked(kInvalidMetafile, [&] { return mf::ReadWmf(data, size); });
    MetafileImageRef image(new TMetafileImage);
    // A carried enhanced metafile is what the system itself plays for such
    // a file; taking it directly spares its converter, which keeps a copy
    // of the Windows metafile every time it finds one.
    if (!wmf.carried.empty()) {
        image->handle.reset(SetEnhMetaFileBits(UINT(wmf.carried.size()), wmf.carried.data()));
        if (!image->handle) Invalid();
    } else {
        image->handle = Converted(wmf.playable);
    }
    image->unitsPerInch = wmf.header.unitsPerInch;
    image->logicalWidth = wmf.logicalWidth;
    image->logicalHeight = wmf.logicalHeight;
    // The size of a WMF whose header says 0 units per inch comes from the converted metafile.
    CheckPixelSize(*image);
    saveAsEnhanced_ = false;
    Install(std::move(image));
}

void TMetafile::SaveFile(const std::u16string& path) {
    ValueRestorer<bool> format(saveAsEnhanced_, saveAsEnhanced_ && LowerCase(PictureExtension(path)) != u"wmf");
    TGraphic::SaveFile(path);
}

void TMetafile::SaveStream(TStream& stream) {
    if (!Handle()) return;
    if (saveAsEnhanced_)
        WriteEmf(stream);
    else
        WriteWmf(stream);
}

void TMetafile::WriteEmf(TStream& stream) {
    const UINT size = GetEnhMetaFileBits(Handle(), 0, nullptr);
    if (size == 0) RefusedBySystem();
    std::vector<uint8_t> bytes(size);
    if (GetEnhMetaFileBits(Handle(), size, bytes.data()) < size) RefusedBySystem();
    stream.WriteBuffer(bytes.data(), bytes.size());
}

void TMetafile::WriteWmf(TStream& stream) {
    const auto header = mf::WritePlaceable(LogicalWidth(), LogicalHeight(), UnitsPerInch());
    const EnhMetafile sized = WithImageSizes(Handle());
    const HENHMETAFILE source = sized ? sized.get() : Handle();
    WindowDC screen(nullptr);
    const UINT size = GetWinMetaFileBits(source, 0, nullptr, MM_ANISOTROPIC, screen.get());
    // No records would make a header-only file that no reader takes.
    if (size == 0) RefusedBySystem();
    std::vector<uint8_t> records(size);
    if (GetWinMetaFileBits(source, size, records.data(), MM_ANISOTROPIC, screen.get()) < size) RefusedBySystem();
    stream.WriteBuffer(header.data(), header.size());
    stream.WriteBuffer(records.data(), records.size());
}

void TMetafile::ReadStoredData(TStream& stream) {
    // The length counts its own four bytes.
    const uint32_t total = ReadStoredLength(stream);
    if (total <= 4) return Assign(nullptr);
    TMemoryStream data(ReadStoredBytes(stream, total - 4));
    LoadStream(data);
}

void TMetafile::WriteStoredData(TStream& stream) {
    TMemoryStream data;
    SaveStream(data);
    WriteStoredLength(stream, uint32_t(data.Bytes().size() + 4));
    stream.WriteBuffer(data.Bytes().data(), data.Bytes().size());
}

void TMetafile::LoadClipboardData(UINT format, HANDLE data, HPALETTE /*palette*/) {
    if (format != CF_ENHMETAFILE || !data) throw EInvalidGraphic("Unsupported clipboard format");
    MetafileImageRef image(new TMetafileImage);
    image->handle.reset(CopyEnhMetaFileA(static_cast<HENHMETAFILE>(data), nullptr));
    if (!image->handle) Invalid();
    const ENHMETAHEADER h = HeaderOf(image->handle.get());
    image->logicalWidth = FrameExtent(h.rclFrame.left, h.rclFrame.right);
    image->logicalHeight = FrameExtent(h.rclFrame.top, h.rclFrame.bottom);
    saveAsEnhanced_ = true;
    Install(std::move(image));
}

ClipboardData TMetafile::SaveClipboardData() {
    if (!Handle()) return {};
    HENHMETAFILE copy = CopyEnhMetaFileA(Handle(), nullptr);
    if (!copy) RefusedBySystem();
    return ClipboardData(CF_ENHMETAFILE, copy);
}

void RegisterMetafileKind() {
    ScreenPixelsPerInch();
    RegisterFormat("wmf", "Metafiles", TMetafile::Class());
    RegisterFormat("emf", "Enhanced Metafiles", TMetafile::Class());
}
