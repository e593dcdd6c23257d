#pragma once
// The abstract graphic: what the picture container, the image control and
// the clipboard ask of every picture kind (bitmap, JPEG, icon, metafile).
//
// A kind derives from TGraphic, implements the abstract operations and
// describes itself by a TGraphicClass, so the container can create a new,
// empty graphic of any registered kind:
//
//   class TIcon : public TGraphic {
//   public:
//       static const TGraphicClass& Class();      // {"TIcon", nullptr, &CreateGraphic<TIcon>}
//       const TGraphicClass& Kind() const override { return Class(); }
//       ...
//   };
//
// Handles: Palette() lends the graphic's own palette; SaveClipboardData hands
// out new handles in an owning ClipboardData; LoadClipboardData copies what it
// is given. Errors are the ui/exceptions.h classes with the kind's messages.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "picture/canvas.h"
#include "picture/clipboard_data.h"
#include "picture/shared_image.h"
#include "ui/gdi.h"
#include "ui/object.h"

class TStream;
class TGraphic;

enum class TProgressStage { psStarting, psRunning, psEnding };
using TProgressEvent = std::function<void(TObject* sender, TProgressStage stage, uint8_t percentDone,
                                          bool redrawNow, const RECT& rect, const std::string& msg)>;

// A graphic kind: its class name, the kind it derives from (null for a
// direct descendant of TGraphic) and how to make a new, empty graphic of it.
struct TGraphicClass {
    const char* name;
    const TGraphicClass* parent;
    std::unique_ptr<TGraphic> (*create)();

    std::unique_ptr<TGraphic> Create() const { return create(); }
    // True for this kind itself and for every kind derived from `other`.
    bool InheritsFrom(const TGraphicClass& other) const;
};

template <class Kind>
std::unique_ptr<TGraphic> CreateGraphic() {
    return std::make_unique<Kind>();
}

class TGraphic : public TObject {
public:
    TGraphic() = default;
    ~TGraphic() override = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    virtual const TGraphicClass& Kind() const = 0;
    const char* ClassName() const override { return Kind().name; }
    // A new, empty graphic of exactly this kind.
    std::unique_ptr<TGraphic> NewOfSameKind() const { return Kind().Create(); }

    // Copies `source` (null: become empty, where the kind allows it). The base
    // asks a graphic source to copy itself here (AssignTo) and refuses
    // anything else with "Cannot assign a %s to a %s".
    virtual void Assign(TObject* source);
    // Copies this graphic into `target` of another kind; the base refuses.
    virtual void AssignTo(TGraphic& target);

    // Sets Modified and tells OnChange, with this graphic as the sender.
    virtual void Changed(TObject* sender);
    // Draws the picture scaled into `rect` of the canvas.
    virtual void Draw(TCanvas& canvas, const RECT& rect) = 0;
    // The graphic is to be drawn soon: a kind that decodes its pixels may
    // begin now, in the background. The base has nothing to decode.
    virtual void DecodeAhead() {}
    // Both empty, or the same kind with identical stored data.
    virtual bool Equals(TGraphic& other);
    virtual bool IsEmpty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int value) = 0;
    virtual void SetHeight(int value) = 0;
    // The graphic's palette (still owned by it), or null; may be derived on demand.
    virtual HPALETTE Palette();
    // Installs a palette the graphic then owns; the base has none and drops it.
    virtual void SetPalette(::Palette value);
    virtual bool Transparent() const { return transparent_; }
    // Stores the value; Changed only when it differs.
    virtual void SetTransparent(bool value);

    // The stored form of form resources; the base reads and writes the stream format.
    virtual void ReadStoredData(TStream& stream);
    virtual void WriteStoredData(TStream& stream);
    // Open the file without sharing (EFOpenError / EFCreateError) and read or
    // write it with LoadStream / SaveStream; the file is closed in every case.
    virtual void LoadFile(const std::u16string& path);
    virtual void SaveFile(const std::u16string& path);
    // LoadStream reads from the stream's position to its end.
    virtual void LoadStream(TStream& stream) = 0;
    virtual void SaveStream(TStream& stream) = 0;
    virtual void LoadClipboardData(UINT format, HANDLE data, HPALETTE palette) = 0;
    // Format 0 and no handles for an empty graphic; otherwise new handles for
    // the caller (the palette may be none).
    virtual ClipboardData SaveClipboardData() = 0;

    // Forwards a progress report to OnProgress when one is set.
    void Progress(TObject* sender, TProgressStage stage, uint8_t percentDone, bool redrawNow,
                  const RECT& rect, const std::string& msg);

    bool Modified() const { return modified_; }
    // true runs Changed; false only clears the flag.
    void SetModified(bool value);
    // Set by a kind when its palette changed; the image control clears it
    // once the window has been asked to realise the new palette.
    bool PaletteModified() const { return paletteModified_; }
    void SetPaletteModified(bool value) { paletteModified_ = value; }

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;

protected:
    bool transparent_ = false;

private:
    bool modified_ = false;
    bool paletteModified_ = false;
};
