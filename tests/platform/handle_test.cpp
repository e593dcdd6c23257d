// The handle owner closes what it holds once, when its last owner goes, and
// takes the invalid value of files and searches for "none".
#include <windows.h>

#include <string>
#include <utility>

#include "fixture.h"
#include "platform/handle.h"
#include "platform/text.h"
#include "testing.h"

namespace {
// Without sharing: a second open fails while the first is held.
FileHandle OpenAlone(const std::u16string& path) {
    return FileHandle(CreateFileW(WidePtr(path), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}
}  // namespace

TEST_CASE("handle owner: a moved file stays open until its new owner goes; a failed open or search owns nothing") {
    TempFolder temp;
    const std::u16string path = temp.File("drzany.bin");
    FileHandle moved;
    {
        FileHandle first = OpenAlone(path);
        REQUIRE(first);
        moved = std::move(first);
        CHECK_FALSE(first);
    }
    CHECK_FALSE(OpenAlone(path));
    moved.reset();
    CHECK(OpenAlone(path));
    CHECK_FALSE(OpenAlone(temp.File("chyba\\ziadny.bin")));
    WIN32_FIND_DATAW fd;
    CHECK(SearchHandle(FindFirstFileW(WidePtr(temp.File("*.bin")), &fd)));
    CHECK_FALSE(SearchHandle(FindFirstFileW(WidePtr(temp.File("*.jpg")), &fd)));
}
