// Writes a sample enhanced metafile and a placeable Windows metafile, drawn
// with GDI, or the whole valid set of metafiles into a folder.
// usage: make_metafiles OUT.emf OUT.wmf
//        make_metafiles --set FOLDER
#include <windows.h>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/metafiles/valid_set.h"

namespace {

void drawScene(HDC dc) {
    HBRUSH sky = CreateSolidBrush(RGB(120, 180, 240));
    RECT all{0, 0, 320, 200};
    FillRect(dc, &all, sky);
    DeleteObject(sky);
    HBRUSH sun = CreateSolidBrush(RGB(250, 210, 40));
    HGDIOBJ old = SelectObject(dc, sun);
    Ellipse(dc, 220, 20, 290, 90);
    SelectObject(dc, old);
    DeleteObject(sun);
    HBRUSH grass = CreateSolidBrush(RGB(40, 150, 60));
    RECT ground{0, 140, 320, 200};
    FillRect(dc, &ground, grass);
    DeleteObject(grass);
    HPEN pen = CreatePen(PS_SOLID, 4, RGB(120, 60, 20));
    old = SelectObject(dc, pen);
    MoveToEx(dc, 60, 140, nullptr);
    LineTo(dc, 60, 70);
    SelectObject(dc, old);
    DeleteObject(pen);
}

HENHMETAFILE recordScene() {
    HDC screen = GetDC(nullptr);
    int mmX = GetDeviceCaps(screen, HORZSIZE), mmY = GetDeviceCaps(screen, VERTSIZE);
    int pxX = GetDeviceCaps(screen, HORZRES), pxY = GetDeviceCaps(screen, VERTRES);
    // Frame in 0.01 mm for a 320 x 200 pixel picture on this screen.
    RECT frame{0, 0, MulDiv(320, mmX * 100, pxX), MulDiv(200, mmY * 100, pxY)};
    HDC dc = CreateEnhMetaFileA(screen, nullptr, &frame, "Lumeno\0sample\0");
    ReleaseDC(nullptr, screen);
    drawScene(dc);
    return CloseEnhMetaFile(dc);
}

bool writeFile(const char* path, const void* data, size_t size) {
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

// Into an existing folder.
int writeSet(const std::string& folder) {
    for (const metafiles::File& f : metafiles::ValidSet())
        if (!writeFile((folder + "/" + f.name).c_str(), f.bytes.data(), f.bytes.size())) return 1;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_metafiles OUT.emf OUT.wmf | make_metafiles --set FOLDER\n");
        return 2;
    }
    if (std::string(argv[1]) == "--set") return writeSet(argv[2]);
    HENHMETAFILE emf = recordScene();
    UINT size = GetEnhMetaFileBits(emf, 0, nullptr);
    std::vector<uint8_t> bytes(size);
    GetEnhMetaFileBits(emf, size, bytes.data());
    if (!writeFile(argv[1], bytes.data(), bytes.size())) return 1;

    HDC screen = GetDC(nullptr);
    UINT wsize = GetWinMetaFileBits(emf, 0, nullptr, MM_ANISOTROPIC, screen);
    std::vector<uint8_t> records(wsize);
    GetWinMetaFileBits(emf, wsize, records.data(), MM_ANISOTROPIC, screen);
    ReleaseDC(nullptr, screen);
    DeleteEnhMetaFile(emf);

    // Placeable header: key, handle, box 0,0-320,200 at 96 units per inch.
    std::vector<uint8_t> out;
    put16(out, 0xCDD7); put16(out, 0x9AC6); put16(out, 0);
    put16(out, 0); put16(out, 0); put16(out, 320); put16(out, 200); put16(out, 96);
    put16(out, 0); put16(out, 0);
    uint16_t sum = 0;
    for (size_t i = 0; i < out.size(); i += 2) sum ^= uint16_t(out[i] | (out[i + 1] << 8));
    put16(out, sum);
    out.insert(out.end(), records.begin(), records.end());
    return writeFile(argv[2], out.data(), out.size()) ? 0 : 1;
}
