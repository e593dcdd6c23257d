#include "picture/icon_png.h"

#include <windows.h>
#include <wincodec.h>

#include "picture/codec/errors.h"

namespace {
// The imaging component's identifiers, written out: the Winelib build links no
// library that holds them.
const CLSID kImagingFactory = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
const IID kImagingFactoryInterface = {0xec5ec8a9, 0xc395, 0x4314, {0x9c, 0x77, 0x54, 0xd7, 0xa9, 0x35, 0xff, 0x70}};
const GUID kPngContainer = {0x1b7cfaf4, 0x713f, 0x473c, {0xbb, 0xcd, 0x61, 0x37, 0x42, 0x5f, 0xae, 0xaf}};
const GUID kBgraPixels = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0f}};

// A COM interface, released when it goes.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T** out() { return &p_; }

private:
    T* p_ = nullptr;
};

// COM on this thread for a scope; a thread that has it already keeps it.
class ComScope {
public:
    ComScope() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (started_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool started_;
};

void Succeeded(HRESULT result) {
    if (FAILED(result)) throw codec::InvalidData{};
}
}  // namespace

codec::ico::Image DecodePng(const codec::ico::Image& png) {
    ComScope com;
    ComRef<IWICImagingFactory> factory;
    Succeeded(CoCreateInstance(kImagingFactory, nullptr, CLSCTX_INPROC_SERVER, kImagingFactoryInterface,
                               reinterpret_cast<void**>(factory.out())));
    ComRef<IWICStream> stream;
    Succeeded(factory->CreateStream(stream.out()));
    Succeeded(stream->InitializeFromMemory(const_cast<BYTE*>(png.png.data()), DWORD(png.png.size())));
    ComRef<IWICBitmapDecoder> decoder;
    Succeeded(factory->CreateDecoder(kPngContainer, nullptr, decoder.out()));
    Succeeded(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand));
    ComRef<IWICBitmapFrameDecode> frame;
    Succeeded(decoder->GetFrame(0, frame.out()));
    // Every depth and colour type comes out as the same 32-bit pixels with alpha.
    ComRef<IWICFormatConverter> pixels;
    Succeeded(factory->CreateFormatConverter(pixels.out()));
    Succeeded(pixels->Initialize(frame.get(), kBgraPixels, WICBitmapDitherTypeNone, nullptr, 0.0,
                                 WICBitmapPaletteTypeCustom));
    UINT width = 0, height = 0;
    Succeeded(pixels->GetSize(&width, &height));
    // The size the checked header gave, which bounds the buffer below.
    if (width != UINT(png.width) || height != UINT(png.height)) throw codec::InvalidData{};
    std::vector<uint8_t> rows(size_t(width) * height * 4);
    Succeeded(pixels->CopyPixels(nullptr, width * 4, UINT(rows.size()), rows.data()));
    return codec::ico::FromPixels(width, height, rows);
}
