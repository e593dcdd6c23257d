#pragma once
// The shared record of icons, and the GDI work between icon files and icon
// handles: the decoded image resampled into a system icon, and the
// one-image file written from a handle.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "picture/codec/ico.h"
#include "picture/shared_image.h"
#include "platform/stream.h"
#include "ui/gdi.h"

class TIconImage : public TSharedImage {
public:
    IconHandle owned;                          // decoded or handed-over icon
    HICON standard = nullptr;                  // the borrowed standard application icon (type 0)
    std::unique_ptr<TMemoryStream> fileImage;  // the file's bytes; none when made from a handle
    bool decodingFailed = false;               // reported once; later drawing shows nothing

    HICON Handle() const { return owned ? owned.get() : standard; }

protected:
    void DropHandle() override { owned.reset(); }
};

using IconImageRef = SharedImageRef<TIconImage>;

// The system's standard application icon, loaded on the first call.
HICON StandardIcon();
// Colour count of the screen by the icon rule (codec::ico::DisplayColours).
uint16_t ScreenColourCount();
// An icon of the system icon size made from a decoded image's colour part
// and mask, each stretched to that size. EOutOfResources when the system refuses.
IconHandle MakeIcon(const codec::ico::Image& image);
// A one-image icon file of a handle: its colour part as a 16-colour DIB and its mask.
std::vector<uint8_t> IconFile(HICON icon);
