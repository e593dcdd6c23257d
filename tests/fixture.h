#pragma once
// Shared set-up of the in-process tests: one application object for the
// whole test program, and the program's eight windows created once.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/application.h"

// The initialised application (created on first use).
TApplication& TestApplication();

// Creates the eight windows once, in start-up order, and shows the main
// window; returns it.
class TOkno;
TOkno& MainWindow();

// Collects error-box texts instead of showing boxes, while it lives.
class CaptureErrors {
public:
    CaptureErrors();
    ~CaptureErrors();
    std::vector<std::u16string> texts;
    std::vector<std::u16string> captions;
};

// Handles the messages waiting in the queue.
void Pump();

// Runs `answer` on the first window of class `cls` (e.g. "#32770" for a
// system dialog, "Lumeno.Form" for the program's) that becomes visible and
// enabled while `action` runs (a modal loop); returns whether it found one.
// `answer` typically reads the window and closes it.
bool WhileModal(const char* cls, void (*action)(void*), void* context,
                void (*answer)(HWND wnd, void* context));

// A window's text, whole, in any script.
std::u16string WindowText(HWND wnd);

// A fresh, empty folder under the Wine drive, removed with the object. Names
// are Windows-1250 literals or UTF-16.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::u16string& Path() const { return path_; }
    std::u16string File(const std::string& name) const;
    std::u16string File(const std::u16string& name) const { return path_ + u"\\" + name; }
    void Write(const std::string& name, const std::vector<unsigned char>& bytes) const;
    void Write(const std::u16string& name, const std::vector<unsigned char>& bytes) const;

private:
    std::u16string path_;
};
