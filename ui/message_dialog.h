#pragma once
// The notice box and the error dialog, built on the fly by one dialog
// builder and shown modally.
#include <memory>
#include <string>

#include "ui/button.h"
#include "ui/form.h"

struct MessageMeasures {
    int hMargin, vMargin, hSpacing, vSpacing, buttonWidth, buttonHeight;
    RECT text;  // wrapped text, relative to the block
    int clientWidth, clientHeight;
    bool icon;
};

// The dialog's measures for a text in a font; icon: the 32 x 32 error icon.
MessageMeasures MeasureMessage(const std::u16string& text, HFONT font, bool icon);

class TMessageForm : public TForm {
public:
    TMessageForm(const std::u16string& text, const std::u16string& caption, bool errorIcon);
    bool PreviewKey(const MSG& msg) override;
    TButton* OkButton() { return ok_.get(); }
    const std::u16string& Text() const { return text_; }
    bool HasIcon() const { return measures_.icon; }
    const char* ClassName() const override { return "TMessageForm"; }

protected:
    void Paint(HDC dc) override;

private:
    std::u16string text_;
    MessageMeasures measures_;
    std::unique_ptr<TButton> ok_;
};

// The notice box: the application title as caption, no icon, one OK button.
// (Both show a text of the program's own, in Windows-1250.)
void ShowNotice(const std::string& text);
// The error dialog: caption "Error", the error icon, one OK button.
void ShowErrorDialog(const std::string& text);
