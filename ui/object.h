#pragma once
// Root of the framework's classes: a run-time class name (error texts use
// it) and the event slot types the controls expose.
#include <functional>

class TObject {
public:
    virtual ~TObject() = default;
    virtual const char* ClassName() const { return "TObject"; }
};

using TNotifyEvent = std::function<void(TObject* sender)>;
// The key is one UTF-16 unit of the typed text.
using TKeyPressEvent = std::function<void(TObject* sender, char16_t& key)>;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using TShiftState = unsigned;  // MK_* flags of the mouse message
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
