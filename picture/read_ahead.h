#pragma once
// The picture a user is likely to show next, decoded on the worker while the
// current one is looked at; and the one place where a picture just loaded
// takes pixels decoded before it was (by a read-ahead, or for a picture
// already shown) instead of decoding them again.
//
// Only JPEG files are read ahead, at most one at a time. Nothing reported:
// a file that cannot be read or decoded ahead reports, if it is ever
// selected, at the same moment and with the same text as any other.
#include <memory>
#include <string>

#include "picture/picture.h"

class TJPEGImage;

class ReadAhead {
public:
    ReadAhead();
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Drops what is read ahead, then reads the file whole and begins
    // decoding it; nothing when it is not a JPEG file by its extension, its
    // header is refused, or its bitmap would take more than a quarter of the
    // memory the system reports free.
    void Start(const std::u16string& path);
    // Stops the decode, wherever it is, and frees its memory.
    void Drop();
    // The file being decoded ahead; empty when none is.
    const std::u16string& Path() const { return path_; }
    // The graphic that holds the decode, or null.
    TJPEGImage* Image() const { return image_.get(); }

private:
    std::unique_ptr<TJPEGImage> image_;
    std::u16string path_;
};

// Pixels a freshly loaded graphic may take instead of decoding, and bytes it
// may keep instead of a copy of its own: those of the picture shown, or the
// read-ahead's. Unless it shares the shown picture's pixels, the read-ahead
// is dropped, taken or not: the picture about to be shown comes first on the
// worker.
struct PixelReuse {
    const TPicture* shown = nullptr;
    ReadAhead* ahead = nullptr;

    void operator()(TGraphic& graphic, bool loaded) const;
};
