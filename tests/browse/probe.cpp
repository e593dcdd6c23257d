#include "probe.h"

#include <vector>

#include "platform/handle.h"
#include "platform/text.h"
#include "ui/gdi.h"
#include "ui/glyph.h"
#include "ui/owner_draw.h"

std::vector<std::u16string> Rows(const TListBox& list) {
    std::vector<std::u16string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Item(i));
    return out;
}

std::vector<std::u16string> Rows(const TComboBox& box) {
    std::vector<std::u16string> out;
    for (int i = 0; i < box.Count(); ++i) out.push_back(box.Item(i));
    return out;
}

namespace {
LPARAM RowCentre(TListBox& list, int row) {
    RECT r = list.ItemRect(row);
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}
}  // namespace

void ClickRow(TListBox& list, int row) {
    LPARAM at = RowCentre(list, row);
    SendMessageA(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list.Handle(), WM_LBUTTONUP, 0, at);
}

void DoubleClickRow(TListBox& list, int row) {
    LPARAM at = RowCentre(list, row);
    ClickRow(list, row);
    SendMessageA(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(list.Handle(), WM_LBUTTONUP, 0, at);
}

namespace {
void Key(HWND wnd, WPARAM key) { SendMessageA(wnd, WM_KEYDOWN, key, 0); }

void ArrowsTo(HWND wnd, int from, int row) {
    if (from < 0) {
        Key(wnd, VK_HOME);
        from = 0;
    }
    for (; from < row; ++from) Key(wnd, VK_DOWN);
    for (; from > row; --from) Key(wnd, VK_UP);
}

void ClickList(HWND list, int row, int itemHeight) {
    LPARAM at = MAKELPARAM(10, row * itemHeight + itemHeight / 2);
    SendMessageA(list, WM_MOUSEMOVE, 0, at);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
}
}  // namespace

void PickRow(TComboBox& box, int row, PickBy way) {
    HWND wnd = box.Handle();
    switch (way) {
        case PickBy::Mouse: {
            LPARAM at = MAKELPARAM(box.Width() / 2, box.Height() / 2);
            SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
            SendMessageA(wnd, WM_LBUTTONUP, 0, at);
            COMBOBOXINFO info{};
            info.cbSize = sizeof(info);
            GetComboBoxInfo(wnd, &info);
            ClickList(info.hwndList, row, box.ItemHeight());
            break;
        }
        case PickBy::DroppedKeys:
            SendMessageA(wnd, CB_SHOWDROPDOWN, TRUE, 0);
            ArrowsTo(wnd, box.ItemIndex(), row);
            Key(wnd, VK_RETURN);
            break;
        case PickBy::ClosedArrows: ArrowsTo(wnd, box.ItemIndex(), row); break;
    }
}

namespace {
// A screen-compatible bitmap of w x h, selected into its own DC.
struct Canvas {
    Canvas(int w, int h) : screen(nullptr), dc(screen.get()), bmp(CreateCompatibleBitmap(screen.get(), w, h)) {
        sel = SelectObject(dc.get(), bmp.get());
    }
    ~Canvas() { SelectObject(dc.get(), sel); }
    WindowDC screen;
    MemoryDC dc;
    Bitmap bmp;
    HGDIOBJ sel;
};
}  // namespace

bool GlyphDrawnAt(TControl& control, UINT ctlType, int row, int rowWidth, int rowHeight, const char* glyph, int x,
                  bool selected) {
    Bitmap g = LoadResourceBitmap(glyph);
    SIZE size = BitmapSize(g.get());
    if (size.cx <= 0) return false;
    RECT area{0, 0, rowWidth, rowHeight};
    Canvas drawn(rowWidth, rowHeight), expected(rowWidth, rowHeight);
    DRAWITEMSTRUCT item{};
    item.CtlType = ctlType;
    item.itemID = UINT(row);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = selected ? ODS_SELECTED : 0;
    item.hwndItem = control.Handle();
    item.hDC = drawn.dc.get();
    item.rcItem = area;
    if (!control.DrawItem(item)) return false;
    FillItemBackground(expected.dc.get(), area, selected);
    DrawGlyph(expected.dc.get(), g.get(), x, (rowHeight - size.cy) / 2);
    for (int py = 0; py < rowHeight; ++py)
        for (int px = 0; px < x + size.cx && px < rowWidth; ++px)
            if (GetPixel(drawn.dc.get(), px, py) != GetPixel(expected.dc.get(), px, py)) return false;
    return true;
}

void MakeFolder(const std::u16string& path, DWORD attributes) {
    CreateDirectoryW(WidePtr(path), nullptr);
    if (attributes) SetFileAttributesW(WidePtr(path), attributes | FILE_ATTRIBUTE_DIRECTORY);
}

void MakeFile(const std::u16string& path, DWORD attributes) {
    FileHandle(CreateFileW(WidePtr(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (attributes != FILE_ATTRIBUTE_NORMAL) SetFileAttributesW(WidePtr(path), attributes);
}
