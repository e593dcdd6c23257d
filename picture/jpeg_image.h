#pragma once
// JPEG pictures. Loading keeps the compressed bytes and reads only the
// header; the pixels are decoded into a private bitmap the first time they
// are needed (drawing, the clipboard, a copy to a bitmap) and then kept.
// A graphic about to be drawn may begin that decode on a worker thread
// (DecodeAhead); the first need then waits for it.
// Saving writes the kept bytes back unchanged. Copies share the compressed
// data; each has its own decoded bitmap.
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "picture/bitmap.h"
#include "picture/graphic.h"
#include "picture/shared_image.h"
#include "platform/exceptions.h"

// Rows of pixels in memory: row y (from the top) starts at row0 + y * step.
struct PixelRows {
    uint8_t* row0 = nullptr;
    intptr_t step = 0;
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;
};

// A fatal error of the JPEG library: "JPEG error #%d" with its message code.
class EJPEG : public EInvalidGraphic {
public:
    explicit EJPEG(int code);
    int Code() const { return code_; }

private:
    int code_;
};

// The compressed file shared by copies of one JPEG graphic. Never changed
// once made: compressing starts a new record.
class TJPEGData : public TSharedImage {
public:
    std::vector<uint8_t> bytes;  // the complete file, exactly as read
    int width = 0;
    int height = 0;
    bool grayscale = false;
};

using JPEGDataRef = SharedImageRef<TJPEGData>;

class JpegDecoding;

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;

    static const TGraphicClass& Class();
    const TGraphicClass& Kind() const override { return Class(); }

    // From a JPEG graphic: share its data and copy its decoded bitmap; from
    // a bitmap: no data, a copy of the bitmap (compressed when saved).
    void Assign(TObject* source) override;
    // Into a bitmap: the decoded pixels.
    void AssignTo(TGraphic& target) override;
    void Draw(TCanvas& canvas, const RECT& rect) override;
    // Only a JPEG graphic of the same load or compression: this one or a
    // copy of it (Assign). Graphics loaded apart are never equal, even when
    // they keep the very same bytes.
    bool Equals(TGraphic& other) override;
    bool IsEmpty() const override;
    // The decoded bitmap's size once decoded, else the header's; never decodes.
    int Width() const override;
    int Height() const override;
    // Fail with "Cannot change the size of a JPEG image".
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    HPALETTE Palette() override;
    // A palette handed in; drops a decoded bitmap of another palette.
    void SetPalette(::Palette value) override;

    // A 4-byte little-endian length, then that many bytes of JPEG file.
    void ReadStoredData(TStream& stream) override;
    void WriteStoredData(TStream& stream) override;
    // Everything from the stream's position to its end; a stream that is
    // not a JPEG, or is empty, fails with the library's code.
    void LoadStream(TStream& stream) override;
    // The kept bytes in one write; a short write is an error.
    void SaveStream(TStream& stream) override;
    void LoadClipboardData(UINT format, HANDLE data, HPALETTE palette) override;
    // What the decoded bitmap gives (CF_BITMAP and its palette).
    ClipboardData SaveClipboardData() override;

    // Begins decoding 24-bit output on a worker thread; the bitmap stays
    // unseen until Decode. Nothing for 8-bit output, a size the decoder
    // would refuse, or when no thread can be had.
    void DecodeAhead() override;
    // The decoded bitmap, decoding first if there is none (or waiting for
    // the decode begun ahead). A decoding error passes on, and the bitmap
    // stays as far as it was filled.
    TBitmap& Decode();
    // Pixels decoded before they were needed, for a graphic just loaded from
    // identical bytes that has none of its own yet: the decode `other` began
    // ahead, taken over however far it got (`other` then has none), or the
    // pixels `other` decoded in full, shared until the first change. False,
    // and nothing taken, otherwise.
    bool TakeDecodeOf(TJPEGImage& other);
    bool SharePixelsOf(const TJPEGImage& other);
    // Bytes known to the program (of the picture shown, or of one decoded
    // ahead), which the next LoadStream keeps instead of a copy of its own
    // when the stream holds exactly those.
    void OfferBytes(std::initializer_list<const TJPEGImage*> known);
    bool DecodingAhead() const { return ahead_ != nullptr; }
    // The decoded bitmap or null; never decodes.
    const TBitmap* DecodedBitmap() const { return bitmap_.get(); }
    bool Grayscale() const { return data_->grayscale; }
    // The file has several scans (progressive).
    bool Progressive() const { return progressive_; }
    // The compressed bytes (empty until loaded or compressed).
    const std::vector<uint8_t>& Bytes() const { return data_->bytes; }

private:
    void NewData();
    void DropBitmap();
    void TakeBytes(std::vector<uint8_t> bytes);
    void TakeData(JPEGDataRef data, bool progressive);
    void SetData(JPEGDataRef data);
    bool HasPixels() const { return bitmap_ || ahead_; }
    bool SameBytes(const TJPEGImage& other) const;
    // True when the decode ran to its end.
    bool DecodeInto(TBitmap& bitmap, JpegDecoding* ahead);
    void Compress();

    JPEGDataRef data_;
    // What Equals compares: made new with each load or compression.
    std::shared_ptr<const int> origin_;
    std::vector<JPEGDataRef> offered_;
    std::unique_ptr<TBitmap> bitmap_;
    PixelRows rows_;  // the decoded bitmap's pixel memory, when decoded here
    ::Palette tempPalette_;
    bool eightBit_;
    bool progressive_ = false;
    bool complete_ = false;  // the bitmap holds the whole picture, decoded
    // The decode begun ahead, dropped with the bitmap.
    std::unique_ptr<JpegDecoding> ahead_;
};

// Registers "jpeg" and "jpg" for the JPEG kind.
void RegisterJpegKind();
