#include "ui/panel.h"

#include "ui/rects.h"

TPanel::TPanel(TControl* parent, const PanelSettings& s) : TControl(parent), border_(s.border) {
    SetColor(s.color);
    DWORD ex = s.border == TPanelBorder::Single ? WS_EX_CLIENTEDGE : 0;
    CreateCustom("Lumeno.Panel", WS_CLIPCHILDREN, ex, s);
}

void TPanel::Paint(HDC dc) {
    if (border_ != TPanelBorder::RaisedBevel) return;
    RECT r = ClientRect(Handle());
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&r, -1, -1);
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
}
