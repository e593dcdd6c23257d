#!/usr/bin/python3
"""Makes a stand-in for the "Symbol" font from Debian's Standard Symbols PS.

Metafiles written on Windows draw Greek letters and mathematical signs in
"Symbol" by their symbol-encoded character codes (0x61 is alpha). Standard
Symbols PS has the same glyphs and metrics, but its OpenType file maps them
by Unicode only; the Type 1 file of the same font carries the symbol
encoding. This writes the OpenType font again with a Windows symbol
character map (0xF020-0xF0FF by that encoding), the symbol code page and
the family name "Symbol", which is what the system looks for.

usage: make_symbol_font.py OUT.otf
"""
import re
import sys

from fontTools.ttLib import TTFont
from fontTools.ttLib.tables._c_m_a_p import cmap_format_4

OPENTYPE = "/usr/share/fonts/opentype/urw-base35/StandardSymbolsPS.otf"
TYPE1 = "/usr/share/fonts/type1/urw-base35/StandardSymbolsPS.t1"
SYMBOL_CODE_PAGE = 1 << 31
FAMILY = "Symbol"


def symbol_encoding():
    """Character code to glyph name, from the Type 1 font's own encoding."""
    with open(TYPE1, "rb") as f:
        head = f.read(65536)
    return {int(code): name.decode("ascii")
            for code, name in re.findall(rb"dup (\d+) ?/(\S+) put", head)}


def main(out):
    font = TTFont(OPENTYPE)
    glyphs = set(font.getGlyphOrder())
    table = cmap_format_4(4)
    table.platformID, table.platEncID, table.language = 3, 0, 0
    table.cmap = {0xF000 + code: name for code, name in symbol_encoding().items() if name in glyphs}
    font["cmap"].tables = [table]
    font["OS/2"].ulCodePageRange1 = SYMBOL_CODE_PAGE
    font["OS/2"].ulCodePageRange2 = 0
    font["OS/2"].usFirstCharIndex = min(table.cmap)
    font["OS/2"].usLastCharIndex = max(table.cmap)
    names = font["name"]
    for record in list(names.names):
        if record.nameID in (1, 4, 16):
            names.setName(FAMILY, record.nameID, record.platformID, record.platEncID, record.langID)
    font.save(out)


if __name__ == "__main__":
    main(sys.argv[1])
