#pragma once
// The process's clipboard object: counts nested opens, empties the Windows
// clipboard once per opening before the first data goes on, and puts a
// picture there in its kind's clipboard format (plus its palette).
#include <windows.h>

#include "ui/gdi.h"
#include "ui/object.h"

class TGraphic;
class TPicture;

class TClipboard : public TObject {
public:
    TClipboard() = default;
    ~TClipboard() override;
    TClipboard(const TClipboard&) = delete;
    TClipboard& operator=(const TClipboard&) = delete;

    // The first open takes the application's hidden window (or a window of
    // its own) and fails with "Cannot open clipboard"; later ones only count.
    void Open();
    // The last close lets the Windows clipboard go.
    void Close();
    int OpenCount() const { return openCount_; }
    // Empties the Windows clipboard.
    void Clear();
    // A picture or a bare graphic goes on the clipboard; anything else fails
    // with "Cannot assign a %s to a %s". An empty picture leaves it emptied.
    void Assign(TObject* source);
    const char* ClassName() const override { return "TClipboard"; }

private:
    void Adding();
    void Put(TPicture* picture, TGraphic* graphic);

    int openCount_ = 0;
    HWND window_ = nullptr;
    WindowHandle ownWindow_;
    bool emptied_ = false;
};

// The clipboard object, created on first use.
TClipboard& Clipboard();
