# Sourced by the scripts: the Wine environment of one build folder.
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export LANG=sk_SK.UTF-8
export LC_ALL=sk_SK.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
