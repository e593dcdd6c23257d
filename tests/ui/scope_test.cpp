// The scope guards put back what a scope changed, also when an error leaves it.
#include <windows.h>

#include <stdexcept>

#include "fixture.h"
#include "testing.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/scope.h"

TEST_CASE("value restorer and DC-state guard: the old value and the DC's state are back after an error") {
    bool flag = false;
    MemoryDC dc(nullptr);
    const COLORREF colour = GetTextColor(dc.get());
    const HGDIOBJ brush = GetCurrentObject(dc.get(), OBJ_BRUSH);
    CHECK_THROWS_AS(
        [&] {
            ValueRestorer<bool> set(flag, true);
            DCStateGuard state(dc.get());
            SetTextColor(dc.get(), RGB(1, 2, 3));
            SelectObject(dc.get(), GetStockObject(BLACK_BRUSH));
            CHECK(flag);
            throw std::runtime_error("leave");
        }(),
        std::runtime_error);
    CHECK_FALSE(flag);
    CHECK(GetTextColor(dc.get()) == colour);
    CHECK(GetCurrentObject(dc.get(), OBJ_BRUSH) == brush);
}

TEST_CASE("modal scope: only the windows it disabled come back, with the active window and the pointer") {
    TestApplication();
    FormSettings fs;
    TForm owner(fs), modal(fs), off(fs), hidden(fs);
    owner.Show();
    modal.Show();
    off.Show();
    EnableWindow(off.Handle(), FALSE);
    SetActiveWindow(owner.Handle());
    Application->SetCursor(TCursor::crHourGlass);
    CHECK_THROWS_AS(
        [&] {
            ModalScope scope(modal.Handle());
            CHECK_FALSE(IsWindowEnabled(owner.Handle()));
            CHECK(IsWindowEnabled(modal.Handle()));
            CHECK(IsWindowEnabled(hidden.Handle()));
            CHECK(Application->Cursor() == TCursor::crDefault);
            SetActiveWindow(modal.Handle());
            throw std::runtime_error("leave");
        }(),
        std::runtime_error);
    CHECK(IsWindowEnabled(owner.Handle()));
    CHECK_FALSE(IsWindowEnabled(off.Handle()));
    CHECK(GetActiveWindow() == owner.Handle());
    CHECK(Application->Cursor() == TCursor::crHourGlass);
    Application->SetCursor(TCursor::crDefault);
}
