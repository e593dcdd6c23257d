#pragma once
// The picture container: holds at most one graphic of a registered kind,
// chooses the kind of a file by its extension, and tells its listener once
// after every load, replacement or emptying.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "picture/graphic.h"

class TPicture : public TObject {
public:
    TPicture() = default;
    ~TPicture() override = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // Replaces the graphic by the file's content, read by the kind its
    // extension names. On any failure the held graphic stays as it was.
    void LoadFile(const std::u16string& path);
    // The same; `reuse` sees the new graphic before it reads the file
    // (loaded false) and before it replaces the held one and anyone is told
    // (loaded true), to hand it bytes read or pixels decoded already.
    void LoadFile(const std::u16string& path, const std::function<void(TGraphic&, bool loaded)>& reuse);
    // Writes the graphic in its own kind's format; without one no file is made.
    void SaveFile(const std::u16string& path);

    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }
    TGraphic* Graphic() const { return graphic_.get(); }
    // Holds a copy of `source` (null empties the picture).
    void SetGraphic(TGraphic* source);
    // null empties; a picture or a graphic is copied; anything else fails
    // with "Cannot assign a %s to a %s".
    void Assign(TObject* source);
    // Delegates to the graphic; format 0 and no handles when empty.
    ClipboardData SaveClipboardData();

    // Runs OnChange with the picture as the sender.
    void Changed(TObject* sender);
    void Progress(TObject* sender, TProgressStage stage, uint8_t percentDone, bool redrawNow,
                  const RECT& rect, const std::string& msg);

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;

    const char* ClassName() const override { return "TPicture"; }

private:
    void Hook(TGraphic& graphic);
    void Install(std::unique_ptr<TGraphic> graphic);

    std::unique_ptr<TGraphic> graphic_;
};

// The extension of a path as the container reads it: the text after the
// last "." when no "\" or ":" follows that dot, else empty.
std::u16string PictureExtension(const std::u16string& path);
