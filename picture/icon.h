#pragma once
// Windows icon pictures. The file's bytes are kept exactly as loaded and
// decoded only when the icon is first drawn: the image the display's colour
// count chooses, resampled to the system icon size. So every icon measures
// and draws at that size, and saves back byte for byte.
#include <windows.h>

#include "picture/graphic.h"
#include "picture/icon_image.h"
#include "ui/gdi.h"

class TIcon : public TGraphic {
public:
    TIcon();
    ~TIcon() override;

    static const TGraphicClass& Class();
    const TGraphicClass& Kind() const override { return Class(); }

    // From an icon: share its record; from null: become empty.
    void Assign(TObject* source) override;
    // At the rectangle's top-left, at the icon's own size.
    void Draw(TCanvas& canvas, const RECT& rect) override;
    bool IsEmpty() const override;
    // The system icon size, also when empty.
    int Width() const override;
    int Height() const override;
    // "Cannot change the size of an icon".
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    // Always transparent; setting it does nothing.
    bool Transparent() const override { return true; }
    void SetTransparent(bool) override {}

    // Keeps the bytes after checking the type word (a cursor is refused).
    void LoadStream(TStream& stream) override;
    // Writes the kept bytes; an icon made from a handle gets a one-image file first.
    void SaveStream(TStream& stream) override;
    // "Clipboard does not support Icons", both ways.
    void LoadClipboardData(UINT format, HANDLE data, HPALETTE palette) override;
    ClipboardData SaveClipboardData() override;

    // The icon handle (still owned by the icon), decoding first if needed.
    HICON Handle();
    // Takes over an icon handle; the icon then has no file image.
    void SetHandle(IconHandle handle);

private:
    void Decode();
    void MakeFileImage();

    IconImageRef image_;
};

// Registers "ico" and loads the standard application icon (start-up).
void RegisterIconKind();
