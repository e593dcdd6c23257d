#include "picture/jpeg_image.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "picture/bitmap_image.h"
#include "picture/codec/bmp.h"
#include "picture/codec/jpeg.h"
#include "picture/formats.h"
#include "picture/jpeg_decoding.h"
#include "picture/stored_data.h"
#include "platform/large_memory.h"
#include "platform/stream.h"

namespace jpeg = codec::jpeg;

EJPEG::EJPEG(int code) : EInvalidGraphic(Format("JPEG error #%d", code)), code_(code) {}

namespace {
constexpr int kQuality = 90;

// Decoding into 8-bit palette rows is the default only on a display of 256
// colours or fewer, judged once for the whole process.
bool EightBitDefault() {
    static const bool eightBit = ScreenBitsPerPixel() <= 8;
    return eightBit;
}

std::vector<RGBQUAD> Colours(const jpeg::Layout& layout) {
    std::vector<RGBQUAD> colours;
    for (const jpeg::Rgb& c : layout.palette) colours.push_back(RGBQUAD{c.blue, c.green, c.red, 0});
    return colours;
}

// Gives the empty bitmap a bottom-up DIB section of the size and depth,
// with the colour table; returns where its rows are. The system hands out
// zeroed pages, so nothing is filled here.
PixelRows InstallSection(TBitmap& bitmap, int width, int height, int bits, const std::vector<RGBQUAD>& colours) {
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + colours.size() * sizeof(RGBQUAD));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    *header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, WORD(bits), BI_RGB, 0, 0, 0,
                               DWORD(colours.size()), 0};
    if (!colours.empty())
        std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), colours.data(), colours.size() * sizeof(RGBQUAD));
    void* pixels = nullptr;
    Bitmap section(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &pixels,
                                    nullptr, 0));
    if (!section) throw OutOfResources(GetLastError());
    AdviseLargeBuffer(pixels, size_t(codec::bmp::Stride(width, uint16_t(bits))) * size_t(height));
    // Set on the empty bitmap, the palette passes to the section that
    // follows: exactly these colours, not a table padded to 256.
    if (!colours.empty()) bitmap.SetPalette(PaletteFromColours(colours));
    bitmap.SetHandle(std::move(section));
    PixelRows rows;
    rows.row0 = bitmap.RowAddress(0);
    rows.step = bitmap.RowAddress(1) - rows.row0;
    rows.width = width;
    rows.height = height;
    rows.bytesPerPixel = bits / 8;
    return rows;
}

// A hostile header must not claim gigabytes: checked before any section exists.
bool FitsInMemory(uint32_t width, uint32_t height, int bits) {
    const uint64_t bytes = codec::bmp::Stride(width, uint16_t(bits)) * uint64_t(height);
    return width != 0 && height != 0 && bytes <= codec::bmp::kMaxImageBytes;
}

// Rows straight into the bitmap's pixel memory.
class BitmapTarget : public jpeg::Target {
public:
    BitmapTarget(TBitmap& bitmap, PixelRows& rows) : bitmap_(bitmap), rows_(rows) {}

    void Size(const jpeg::Layout& layout) override {
        if (!FitsInMemory(layout.width, layout.height, layout.bits)) throw OutOfResources(0);
        paletted_ = !layout.palette.empty();
        rows_ = InstallSection(bitmap_, int(layout.width), int(layout.height), layout.bits, Colours(layout));
    }

    uint8_t* Row(uint32_t y) override { return rows_.row0 + intptr_t(y) * rows_.step; }

    bool Paletted() const { return paletted_; }

private:
    TBitmap& bitmap_;
    PixelRows& rows_;
    bool paletted_ = false;
};

const RECT kNoRect{0, 0, 0, 0};
}  // namespace

const TGraphicClass& TJPEGImage::Class() {
    static const TGraphicClass kind{"TJPEGImage", nullptr, &CreateGraphic<TJPEGImage>};
    return kind;
}

TJPEGImage::TJPEGImage() : eightBit_(EightBitDefault()) { SetData(JPEGDataRef(new TJPEGData)); }

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::DropBitmap() {
    ahead_.reset();
    bitmap_.reset();
    rows_ = PixelRows();
    complete_ = false;
}

void TJPEGImage::SetData(JPEGDataRef data) {
    data_ = std::move(data);
    origin_ = std::make_shared<const int>(0);
}

void TJPEGImage::NewData() {
    SetData(JPEGDataRef(new TJPEGData));
    progressive_ = false;
}

void TJPEGImage::Assign(TObject* source) {
    if (auto* other = dynamic_cast<TJPEGImage*>(source)) {
        if (other == this) return;
        data_ = other->data_;
        origin_ = other->origin_;
        progressive_ = other->progressive_;
        DropBitmap();
        // The copy shares the decoded image, so the rows stay where they are.
        rows_ = other->rows_;
        if (other->bitmap_) {
            bitmap_ = std::make_unique<TBitmap>();
            bitmap_->Assign(other->bitmap_.get());
            complete_ = other->complete_;
        }
        SetPaletteModified(true);
        return Changed(this);
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        NewData();
        DropBitmap();
        bitmap_ = std::make_unique<TBitmap>();
        bitmap_->Assign(bitmap);
        SetPaletteModified(true);
        return Changed(this);
    }
    TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(TGraphic& target) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(&target)) return bitmap->Assign(&Decode());
    TGraphic::AssignTo(target);
}

void TJPEGImage::Draw(TCanvas& canvas, const RECT& rect) {
    TBitmap& bitmap = Decode();
    bitmap.SetTransparent(Transparent());
    bitmap.Draw(canvas, rect);
}

bool TJPEGImage::Equals(TGraphic& other) {
    auto* jpeg = dynamic_cast<TJPEGImage*>(&other);
    return jpeg && jpeg->origin_ == origin_;
}

bool TJPEGImage::IsEmpty() const { return data_->bytes.empty() && (!bitmap_ || bitmap_->IsEmpty()); }

int TJPEGImage::Width() const { return bitmap_ ? bitmap_->Width() : data_->width; }

int TJPEGImage::Height() const { return bitmap_ ? bitmap_->Height() : data_->height; }

void TJPEGImage::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }

void TJPEGImage::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }

HPALETTE TJPEGImage::Palette() {
    if (bitmap_) return bitmap_->Palette();
    if (!tempPalette_ && !eightBit_ && ScreenBitsPerPixel() <= 8) {
        WindowDC screen(nullptr);
        tempPalette_.reset(CreateHalftonePalette(screen.get()));
    }
    return tempPalette_.get();
}

void TJPEGImage::SetPalette(::Palette value) {
    tempPalette_ = std::move(value);
    if (!bitmap_ || bitmap_->Palette() == tempPalette_.get()) return;
    DropBitmap();
    SetPaletteModified(true);
    Changed(this);
}

namespace {
// Files are kept in buffers of whole 256 KB steps: the buffer a picture
// leaves then fits the next file of about its size, and stepping through a
// folder does not leave a freed buffer beside each new one in the heap.
void ResizeForFile(std::vector<uint8_t>& bytes, size_t size) {
    constexpr size_t kStep = 256 * 1024;
    if (size <= SIZE_MAX - kStep) bytes.reserve((size + kStep - 1) / kStep * kStep);
    bytes.resize(size);
}

// An empty file is a 0 x 0 picture; the library's complaint about it comes
// when it is first drawn.
jpeg::Header HeaderOf(const std::vector<uint8_t>& bytes) {
    try {
        return bytes.empty() ? jpeg::Header() : jpeg::ReadHeader(bytes.data(), bytes.size());
    } catch (const codec::JpegError& e) {
        throw EJPEG(e.code);
    }
}
}  // namespace

void TJPEGImage::TakeBytes(std::vector<uint8_t> bytes) {
    JPEGDataRef data(new TJPEGData);
    data->bytes = std::move(bytes);
    const jpeg::Header header = HeaderOf(data->bytes);
    data->width = int(header.width);
    data->height = int(header.height);
    data->grayscale = header.grayscale;
    TakeData(std::move(data), header.progressive);
}

void TJPEGImage::TakeData(JPEGDataRef data, bool progressive) {
    SetData(std::move(data));
    progressive_ = progressive;
    DropBitmap();
    SetPaletteModified(true);
    Changed(this);
}

void TJPEGImage::OfferBytes(std::initializer_list<const TJPEGImage*> known) {
    offered_.clear();
    for (const TJPEGImage* graphic : known)
        if (graphic) offered_.push_back(graphic->data_);
}

namespace {
// Reads `size` bytes of `stream`, comparing them piece by piece with
// `known` (of that size) as they come: a file the program holds already
// (read ahead, or shown) is not held twice. Empty when all matched; else
// the whole file, read on from the first piece that differed.
std::vector<uint8_t> ReadUnlessKnown(TStream& stream, size_t size, const std::vector<uint8_t>& known) {
    std::vector<uint8_t> bytes, piece(std::min<size_t>(size, 64 * 1024));
    for (size_t same = 0; same < size;) {
        const size_t n = std::min(piece.size(), size - same);
        stream.ReadBuffer(piece.data(), n);
        if (std::memcmp(piece.data(), known.data() + same, n) != 0) {
            ResizeForFile(bytes, size);
            std::memcpy(bytes.data(), known.data(), same);
            std::memcpy(bytes.data() + same, piece.data(), n);
            stream.ReadBuffer(bytes.data() + same + n, size - same - n);
            break;
        }
        same += n;
    }
    return bytes;
}
}  // namespace

void TJPEGImage::LoadStream(TStream& stream) {
    const size_t size = size_t(std::max<int64_t>(0, stream.Remaining()));
    JPEGDataRef offered;
    for (JPEGDataRef& data : offered_)
        if (!offered && size && data->bytes.size() == size) offered = data;
    offered_.clear();
    if (!offered) {
        std::vector<uint8_t> bytes;
        ResizeForFile(bytes, size);
        stream.ReadBuffer(bytes.data(), size);
        return TakeBytes(std::move(bytes));
    }
    std::vector<uint8_t> bytes = ReadUnlessKnown(stream, size, offered->bytes);
    if (bytes.empty()) return TakeData(offered, HeaderOf(offered->bytes).progressive);
    TakeBytes(std::move(bytes));
}

void TJPEGImage::ReadStoredData(TStream& stream) {
    TakeBytes(ReadStoredBytes(stream, ReadStoredLength(stream)));
}

void TJPEGImage::SaveStream(TStream& stream) {
    if (data_->bytes.empty() && bitmap_ && !bitmap_->IsEmpty()) Compress();
    stream.WriteBuffer(data_->bytes.data(), data_->bytes.size());
}

void TJPEGImage::WriteStoredData(TStream& stream) {
    if (data_->bytes.empty() && bitmap_ && !bitmap_->IsEmpty()) Compress();
    WriteStoredLength(stream, uint32_t(data_->bytes.size()));
    stream.WriteBuffer(data_->bytes.data(), data_->bytes.size());
}

void TJPEGImage::LoadClipboardData(UINT format, HANDLE data, HPALETTE palette) {
    TBitmap handed;
    handed.LoadClipboardData(format, data, palette);
    Assign(&handed);
}

ClipboardData TJPEGImage::SaveClipboardData() {
    return Decode().SaveClipboardData();
}

void TJPEGImage::DecodeAhead() {
    // Only 24-bit output: its layout follows from the header alone.
    if (bitmap_ || ahead_ || eightBit_ || data_->grayscale || data_->bytes.empty()) return;
    if (!FitsInMemory(uint32_t(data_->width), uint32_t(data_->height), 24)) return;
    try {
        auto pixels = std::make_unique<TBitmap>();
        const PixelRows rows = InstallSection(*pixels, data_->width, data_->height, 24, {});
        ahead_ = JpegDecoding::Start(data_, std::move(pixels), rows);
    } catch (const EOutOfResources&) {
        // Decoded when drawn instead, which reports the shortage then.
    }
}

TBitmap& TJPEGImage::Decode() {
    if (bitmap_) return *bitmap_;
    std::unique_ptr<JpegDecoding> ahead = std::move(ahead_);
    // Made before decoding and kept after a failure: later repaints draw it
    // as far as it was filled, without decoding or reporting again.
    DropBitmap();
    bitmap_ = std::make_unique<TBitmap>();
    complete_ = DecodeInto(*bitmap_, ahead.get());
    return *bitmap_;
}

bool TJPEGImage::SameBytes(const TJPEGImage& other) const {
    const std::vector<uint8_t>&mine = data_->bytes, &theirs = other.data_->bytes;
    return eightBit_ == other.eightBit_ && !mine.empty() && mine.size() == theirs.size() &&
           (data_.get() == other.data_.get() || std::memcmp(mine.data(), theirs.data(), mine.size()) == 0);
}

bool TJPEGImage::TakeDecodeOf(TJPEGImage& other) {
    if (HasPixels() || !other.ahead_ || !SameBytes(other)) return false;
    ahead_ = std::move(other.ahead_);
    // One record of the bytes instead of two: the decode keeps its own.
    data_ = other.data_;
    return true;
}

bool TJPEGImage::SharePixelsOf(const TJPEGImage& other) {
    if (HasPixels() || !other.bitmap_ || !other.complete_ || !SameBytes(other)) return false;
    bitmap_ = std::make_unique<TBitmap>();
    bitmap_->Assign(other.bitmap_.get());
    complete_ = true;
    return true;
}

bool TJPEGImage::DecodeInto(TBitmap& bitmap, JpegDecoding* ahead) {
    // A palette handed in cannot become the decoder's colour map; the
    // decoded bitmap's own palette takes over.
    tempPalette_.reset();
    Progress(this, TProgressStage::psStarting, 0, false, kNoRect, "");
    BitmapTarget target(bitmap, rows_);
    jpeg::DecodeOptions options;
    options.eightBit = eightBit_;
    options.progress = [this](const jpeg::Progress& p) {
        const RECT band{0, LONG(p.top), LONG(data_->width), LONG(p.bottom)};
        Progress(this, TProgressStage::psRunning, uint8_t(p.percent), p.redraw, band, "");
    };
    bool complete = true;
    try {
        if (!ahead || !ahead->Finish(bitmap, rows_, options.progress))
            jpeg::Decode(data_->bytes.data(), data_->bytes.size(), options, target);
    } catch (const EAbort&) {
        // Stopped by the listener: keep what was decoded, say nothing.
        complete = false;
    } catch (const codec::JpegError& e) {
        Progress(this, TProgressStage::psEnding, 0, false, kNoRect, "");
        throw EJPEG(e.code);
    } catch (...) {
        Progress(this, TProgressStage::psEnding, 0, false, kNoRect, "");
        throw;
    }
    if (target.Paletted()) SetPaletteModified(true);
    Progress(this, TProgressStage::psEnding, 100, PaletteModified(), kNoRect, "");
    if (PaletteModified()) Changed(this);
    return complete;
}

void TJPEGImage::Compress() {
    TBitmap copy;
    copy.Assign(bitmap_.get());
    copy.SetPixelLayout(TPixelLayout::pf24Bit);
    const int width = copy.Width(), height = copy.Height();
    JPEGDataRef data(new TJPEGData);
    data->width = width;
    data->height = height;
    uint8_t* row0 = copy.RowAddress(0);
    const intptr_t step = copy.RowAddress(1) - row0;
    jpeg::EncodeOptions options;
    options.quality = kQuality;
    options.progressive = progressive_;
    options.progress = [this](const jpeg::Progress& p) {
        Progress(this, TProgressStage::psRunning, uint8_t(p.percent), false, kNoRect, "");
    };
    std::vector<uint8_t>& out = data->bytes;
    const jpeg::Writer writer = [&out](const uint8_t* bytes, std::size_t n) {
        out.insert(out.end(), bytes, bytes + n);
        return n;
    };
    const jpeg::RowSource rows = [row0, step](uint32_t y) { return row0 + intptr_t(y) * step; };
    Progress(this, TProgressStage::psStarting, 0, false, kNoRect, "");
    try {
        jpeg::Encode(rows, uint32_t(width), uint32_t(height), options, writer);
    } catch (const EAbort&) {
        NewData();
        return;
    } catch (const codec::JpegError& e) {
        throw EJPEG(e.code);
    }
    Progress(this, TProgressStage::psEnding, 100, false, kNoRect, "");
    SetData(std::move(data));
}

void RegisterJpegKind() {
    RegisterFormat("jpeg", "JPEG Image File", TJPEGImage::Class());
    RegisterFormat("jpg", "JPEG Image File", TJPEGImage::Class());
}
