// The main window as built: size, frame, menus, tool bar, hints, toggles.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "app/okno.h"
#include "fixture.h"
#include "platform/text.h"
#include "testing.h"
#include "ui/gdi.h"
#include "ui/glyph.h"
#include "ui/rects.h"

namespace {
struct MenuRow {
    const char* name;
    const char* caption;
    const char* hint;
    uint16_t shortcut;
    bool checked, enabled;
};

const MenuRow kMenu[] = {
    {"File1", "&Súbor", "", 0, false, true},
    {"Novprieinok1", "Nový priečinok", "", 0, false, true},
    {"Open1", "&Otvoriť obrázok...", "Načíta obrázok", 0, false, true},
    {"Uloiobrzokako1", "&Uložiť obrázok ako...", "Uloží obrázok", 0, false, true},
    {"Vlastnosti1", "Vlastnosti", "Zobrazí vlastnosti obrázka", 0, false, true},
    {"Nastavenietlae1", "Nastavenie tlače", "Nastaví vlastnosti tlačiarňe", 0, false, true},
    {"Tlai1", "Tlačiť...", "Vytlačí obrázok", 16464, false, true},
    {"Exit1", "S&končiť", "Ukončí program Tarnik Lumeno", 0, false, true},
    {"pravy1", "&Úpravy", "", 0, false, true},
    {"Koprova1", "&Kopírovať obrázok", "Skopíruje obrázok do schránky", 16451, false, true},
    {"Premenovasbor1", "Premenovať súbor", "Zmení názov súboru", 0, false, true},
    {"Vymazasbor", "Vymazať súbor", "Vymaže obrázok", 0, false, true},
    {"Zobrazi1", "Zobraziť", "", 0, false, true},
    {"ZobrIko", "Panel s ikonami", "Vypne/Zapne zobrazovanie panelu s ikonami", 0, true, true},
    {"ZobrNahlad", "Náhľadové okno", "Vypne/Zapne zobrazovanie náhľadového okna", 0, true, false},
    {"Edit1", "Ukážka", "", 0, false, true},
    {"AutoSize", "Automatická veľkosť", "", 0, true, true},
    {"FullSize", "Skutočná veľkosť", "", 0, false, true},
    {"FullScreen", "Celá obrazovka [full screen]",
     "Vypína/zapína voľbu zobrazovania obrázka na celú obrazovku", 0, false, true},
    {"Npoveda1", "&Nápoveda", "", 0, false, true},
    {"TarniksoftwarevsietiWWW1", "Korvel software v sieti WWW", "", 0, false, true},
    {"OprogrameTarnikLumeno1", "O programe Korvel Lumeno...", "Zobrazí informácie o autorovi programu", 0, false,
     true},
};

// The item's text and state as the system menu holds them.
std::u16string SystemText(HMENU bar, UINT id, UINT* state) {
    WCHAR buf[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING | MIIM_STATE;
    info.dwTypeData = buf;
    info.cch = 256;
    GetMenuItemInfoW(bar, id, FALSE, &info);
    *state = info.fState;
    return FromWide(buf);
}

// The menu leaves the item's glyph to its window, which measures it with the
// gap before the caption and draws it unchanged on the highlight: only its
// transparent colour lets the background through.
bool GlyphDrawnAsIs(TOkno& w, TMenuItem* item, const char* resource) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_BITMAP;
    GetMenuItemInfoA(GetMenu(w.Handle()), item->Command(), FALSE, &info);
    if (info.hbmpItem != HBMMENU_CALLBACK) return false;
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, item->Command(), 0, 0, 0};
    SendMessageA(w.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    Bitmap glyph = LoadResourceBitmap(resource);
    const SIZE size = BitmapSize(glyph.get());
    if (int(measure.itemWidth) != size.cx + 4 || int(measure.itemHeight) != size.cy) return false;

    WindowDC screen(nullptr);
    MemoryDC dc(screen.get()), source(screen.get());
    Bitmap canvas(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
    SelectGuard into(dc.get(), canvas.get());
    SelectGuard from(source.get(), glyph.get());
    RECT area{0, 0, size.cx, size.cy};
    FillRect(dc.get(), &area, GetSysColorBrush(COLOR_HIGHLIGHT));
    DRAWITEMSTRUCT draw{ODT_MENU, 0, item->Command(), ODA_SELECT, ODS_SELECTED, nullptr, dc.get(), area, 0};
    SendMessageA(w.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    const COLORREF key = GetPixel(source.get(), 0, size.cy - 1);
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            const COLORREF own = GetPixel(source.get(), x, y);
            const COLORREF want = own == key ? GetSysColor(COLOR_HIGHLIGHT) : own;
            if (GetPixel(dc.get(), x, y) != want) return false;
        }
    return true;
}

HMENU PopupOf(HMENU bar, UINT id) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU;
    GetMenuItemInfoA(bar, id, FALSE, &info);
    return info.hSubMenu;
}
}  // namespace

TEST_CASE("main window: fixed client size, single border, minimize but no maximize") {
    TOkno& w = MainWindow();
    const RECT client = ClientRect(w.Handle());
    CHECK(client.right == 618);
    CHECK(client.bottom == 399);
    LONG style = GetWindowLongA(w.Handle(), GWL_STYLE);
    CHECK((style & WS_THICKFRAME) == 0);
    CHECK((style & WS_MAXIMIZEBOX) == 0);
    CHECK((style & WS_MINIMIZEBOX) != 0);
    CHECK((style & WS_SYSMENU) != 0);
    CHECK(w.Caption() == u"Korvel Lumeno");
    CHECK(TestApplication().Title() == u"Korvel Lumeno");
    // Centred on the 1024 x 768 desktop.
    const RECT r = WindowRect(w.Handle());
    CHECK(r.left == (1024 - (r.right - r.left)) / 2);
    CHECK(r.top == (768 - (r.bottom - r.top)) / 2);
}

// The Winelib program carries lumeno.exe's version and manifest too.
TEST_CASE("program resources: the version names the product, the manifest asks for the user's rights") {
    auto bytes = [](int type) {
        HRSRC res = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(type));
        REQUIRE(res != nullptr);
        return std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, res))),
                           SizeofResource(nullptr, res));
    };
    std::string utf16;  // the version's texts are UTF-16
    for (char c : std::string("Korvel Lumeno")) utf16 += {c, '\0'};
    CHECK(bytes(16).find(utf16) != std::string::npos);                       // RT_VERSION
    CHECK(bytes(24).find("level=\"asInvoker\"") != std::string::npos);  // RT_MANIFEST
}

TEST_CASE("main window: every menu item's caption, hint, shortcut and state") {
    TOkno& w = MainWindow();
    HMENU bar = GetMenu(w.Handle());
    REQUIRE(bar);
    for (const MenuRow& row : kMenu) {
        CAPTURE(row.name);
        TMenuItem* item = w.MainMenu1.Find(row.name);
        REQUIRE(item);
        CHECK(item->Caption() == row.caption);
        CHECK(item->Hint() == row.hint);
        CHECK(item->ShortCut() == row.shortcut);
        CHECK(item->Checked() == row.checked);
        CHECK(item->Enabled() == row.enabled);
        // What the system menu shows: the caption, a tab and the shortcut text.
        HMENU owner = nullptr;
        for (int i = 0; i < GetMenuItemCount(bar) && !owner; ++i) {
            HMENU sub = GetSubMenu(bar, i);
            if (GetMenuState(bar, item->Command(), MF_BYCOMMAND) != UINT(-1)) owner = bar;
            else if (sub && GetMenuState(sub, item->Command(), MF_BYCOMMAND) != UINT(-1)) owner = sub;
            else if (sub) {
                HMENU ukazka = PopupOf(sub, w.Edit1->Command());
                if (ukazka && GetMenuState(ukazka, item->Command(), MF_BYCOMMAND) != UINT(-1)) owner = ukazka;
            }
        }
        REQUIRE(owner);
        UINT state = 0;
        std::u16string expected = Wide(row.caption);
        if (row.shortcut == 16464) expected += u"\tCtrl+P";
        if (row.shortcut == 16451) expected += u"\tCtrl+C";
        CHECK(SystemText(owner, item->Command(), &state) == expected);
        CHECK(((state & MFS_CHECKED) != 0) == row.checked);
        CHECK(((state & MFS_GRAYED) != 0) == !row.enabled);
    }
    const std::pair<const char*, const char*> glyphs[] = {
        {"Novprieinok1", "GLYPH_NEWFOLDER"}, {"Open1", "GLYPH_OPEN"},         {"Uloiobrzokako1", "GLYPH_SAVE"},
        {"Vlastnosti1", "GLYPH_PROPERTIES"}, {"Tlai1", "GLYPH_PRINT"},        {"Koprova1", "GLYPH_COPY"},
        {"Premenovasbor1", "GLYPH_RENAME"},  {"Vymazasbor", "GLYPH_DELETE"}};
    for (auto [name, resource] : glyphs) {
        CAPTURE(name);
        CHECK(w.MainMenu1.Find(name)->HasGlyph());
        CHECK(GlyphDrawnAsIs(w, w.MainMenu1.Find(name), resource));
    }
    CHECK_FALSE(w.Exit1->HasGlyph());
}

TEST_CASE("main window: tool bar buttons, tooltips and hints in the status bar") {
    TOkno& w = MainWindow();
    struct Button {
        TSpeedButton* b;
        int left;
        const char* hint;
    } buttons[] = {{w.SpeedButton1, 8, "Otvoriť"},
                   {w.SpeedButton2, 31, "Vlastnosti"},
                   {w.SpeedButton5, 62, "Nový priečinok"},
                   {w.SpeedButton4, 85, "Premenovať"},
                   {w.SpeedButton3, 108, "Vymazať"}};
    for (auto& b : buttons) {
        CAPTURE(b.hint);
        CHECK(b.b->Left() == b.left);
        CHECK(b.b->Top() == 2);
        CHECK(b.b->Width() == 23);
        CHECK(b.b->Height() == 20);
        CHECK(b.b->Hint == Wide(b.hint));
        CHECK(b.b->Glyph() != nullptr);
        WCHAR text[80] = {};
        TTTOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        ti.hwnd = w.IkonyPanel->Handle();
        ti.uId = reinterpret_cast<UINT_PTR>(b.b->Handle());
        ti.lpszText = text;
        SendMessageW(w.IkonyPanel->Tooltips(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
        CHECK(FromWide(text) == Wide(b.hint));
    }
    // The real pointer over "Vymazať" puts its hint into the status bar.
    const RECT br = WindowRect(w.SpeedButton3->Handle());
    SetCursorPos((br.left + br.right) / 2, (br.top + br.bottom) / 2);
    for (int i = 0; i < 50 && w.DolnyPanel->PanelText() != u"Vymazať"; ++i) {
        Sleep(20);
        TestApplication().ProcessMessages();
    }
    CHECK(w.DolnyPanel->PanelText() == u"Vymazať");
    // Off the window, onto the desktop (another program's window): the hint
    // goes.
    SetCursorPos(2, 2);
    for (int i = 0; i < 100 && !TestApplication().Hint().empty(); ++i) {
        Sleep(20);
        TestApplication().ProcessMessages();
    }
    CHECK(TestApplication().Hint().empty());
    CHECK(w.DolnyPanel->PanelText() == w.DolnyPanel->SimpleText());
    // Highlighting a menu item shows its hint; closing the menu empties the panel.
    SendMessageA(w.Handle(), WM_MENUSELECT, MAKEWPARAM(w.Koprova1->Command(), MF_STRING),
                 reinterpret_cast<LPARAM>(GetSubMenu(GetMenu(w.Handle()), 1)));
    CHECK(w.DolnyPanel->PanelText() == u"Skopíruje obrázok do schránky");
    SendMessageA(w.Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    CHECK(TestApplication().Hint().empty());
}

TEST_CASE("main window: view toggles") {
    TOkno& w = MainWindow();
    auto command = [&](TMenuItem* item) {
        SendMessageA(w.Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    };
    SUBCASE("sizing marks are exclusive") {
        command(w.FullSize);
        CHECK(w.FullSize->Checked());
        CHECK_FALSE(w.AutoSize->Checked());
        command(w.AutoSize);
        CHECK(w.AutoSize->Checked());
        CHECK_FALSE(w.FullSize->Checked());
    }
    SUBCASE("full screen twice returns to unchecked") {
        command(w.FullScreen);
        CHECK(w.FullScreen->Checked());
        command(w.FullScreen);
        CHECK_FALSE(w.FullScreen->Checked());
    }
    SUBCASE("tool bar off and on") {
        command(w.ZobrIko);
        CHECK_FALSE(w.ZobrIko->Checked());
        CHECK_FALSE(IsWindowVisible(w.IkonyPanel->Handle()));
        command(w.ZobrIko);
        CHECK(w.ZobrIko->Checked());
        CHECK(IsWindowVisible(w.IkonyPanel->Handle()));
    }
    SUBCASE("Ctrl+P is routed and does nothing") {
        std::u16string before = w.Caption();
        keybd_event(VK_CONTROL, 0, 0, 0);
        keybd_event('P', 0, 0, 0);
        keybd_event('P', 0, KEYEVENTF_KEYUP, 0);
        keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
        TestApplication().ProcessMessages();
        CHECK(w.Caption() == before);
        CHECK(IsWindowVisible(w.Handle()));
    }
}

TEST_CASE("main window: at start both scroll bars show and cannot scroll") {
    TOkno& w = MainWindow();
    CHECK(w.DolnyPosuvak->Visible());
    CHECK(w.HornyPosuvak->Visible());
    CHECK(w.DolnyPosuvak->Max() == 0);
    CHECK(w.HornyPosuvak->Max() == 0);
    CHECK(w.DolnyPosuvak->LargeChange() == 0);
}

