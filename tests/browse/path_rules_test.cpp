// The browsing controls' path and text rules, without windows.
#include <windows.h>

#include "browse/drive_combo_box.h"
#include "browse/file_list_box.h"
#include "browse/path_rules.h"
#include "platform/text.h"
#include "testing.h"

namespace {
// One pixel per character keeps the widths readable.
int Chars(const std::u16string& s) { return int(s.size()); }

std::vector<std::u16string> Texts(const std::vector<FolderRow>& rows) {
    std::vector<std::u16string> out;
    for (const FolderRow& r : rows) out.push_back(r.text);
    return out;
}
}  // namespace

TEST_CASE("FitPathToWidth shortens from the left and never cuts the name") {
    SUBCASE("the candidates, in order, when nothing fits") {
        std::vector<std::u16string> seen;
        auto tooWide = [&seen](const std::u16string& s) {
            seen.push_back(s);
            return 1000;
        };
        CHECK(FitPathToWidth(u"C:\\a\\b\\c\\d", tooWide, 10) == u"d");
        CHECK(seen == std::vector<std::u16string>{u"C:\\a\\b\\c\\d", u"C:\\...\\b\\c\\d", u"C:\\...\\c\\d",
                                               u"C:\\...\\d", u"...\\d"});
    }
    SUBCASE("the first candidate that fits") {
        const std::u16string path = u"C:\\aaaa\\bbbb\\cccc\\dddd";  // 22 characters
        CHECK(FitPathToWidth(path, Chars, 100) == path);
        CHECK(FitPathToWidth(path, Chars, 22) == path);
        CHECK(FitPathToWidth(path, Chars, 21) == u"C:\\...\\bbbb\\cccc\\dddd");
        CHECK(FitPathToWidth(path, Chars, 16) == u"C:\\...\\cccc\\dddd");
        CHECK(FitPathToWidth(path, Chars, 15) == u"C:\\...\\dddd");
        CHECK(FitPathToWidth(path, Chars, 8) == u"...\\dddd");
        CHECK(FitPathToWidth(path, Chars, 7) == u"dddd");
        // A name wider than the room stays whole; the label clips it.
        CHECK(FitPathToWidth(path, Chars, 0) == u"dddd");
        CHECK(FitPathToWidth(u"\\\\srv\\share\\x", Chars, 8) == u"\\...\\x");
    }
}

TEST_CASE("DropFirstFolder drops one folder per step") {
    CHECK(DropFirstFolder(u"\\a\\b\\c\\") == u"\\...\\b\\c\\");
    CHECK(DropFirstFolder(u"\\...\\b\\c\\") == u"\\...\\c\\");
    CHECK(DropFirstFolder(u"\\...\\c\\") == u"\\...\\");
    CHECK(DropFirstFolder(u"...\\") == u"");
    CHECK(DropFirstFolder(u"\\") == u"");
    CHECK(DropFirstFolder(u"a\\b\\") == u"...\\b\\");
    // A folder whose name starts with a dot is not taken for "...\".
    CHECK(DropFirstFolder(u"\\.a\\b\\c\\") == u"\\...\\b\\c\\");
}

TEST_CASE("JoinPath, FolderDepth and the drive part") {
    CHECK(JoinPath(u"C:\\", u"a.jpg") == u"C:\\a.jpg");
    CHECK(JoinPath(u"C:\\x", u"a.jpg") == u"C:\\x\\a.jpg");
    CHECK(JoinPath(u"\\\\srv\\share", u"*.*") == u"\\\\srv\\share\\*.*");
    CHECK(FolderDepth(u"C:\\") == 1);
    CHECK(FolderDepth(u"C:\\a\\b") == 2);
    CHECK(FolderDepth(u"d") == 0);
    CHECK(DrivePart(u"C:\\a") == u"C:");
    CHECK(DrivePart(u"\\\\srv\\share\\x\\y") == u"\\\\srv\\share");
    CHECK(DrivePart(u"\\\\srv\\share") == u"\\\\srv\\share");
    CHECK(DrivePart(u"relative\\x") == u"");
    CHECK(DriveLetter(u"c:\\x") == 'c');
    CHECK(DriveLetter(u"\\\\srv\\share") == 0);
}

TEST_CASE("folder rows and their entry paths") {
    SUBCASE("drive root") {
        auto rows = FolderRows(u"C:\\");
        REQUIRE(rows.size() == 1);
        CHECK(rows[0].text == u"C:\\");
        CHECK(rows[0].kind == FolderKind::Current);
        rows.push_back({u"windows", FolderKind::Closed});
        CHECK(EntryPath(u"C:\\", rows, 0) == u"C:\\");
        CHECK(EntryPath(u"C:\\", rows, 1) == u"C:\\windows");
        CHECK(EntryPath(u"C:\\", rows, 2) == u"");
        CHECK(EntryPath(u"C:\\", rows, -1) == u"");
    }
    SUBCASE("nested folder") {
        const std::u16string dir = u"C:\\a\\b\\c";
        auto rows = FolderRows(dir);
        CHECK(Texts(rows) == std::vector<std::u16string>{u"C:\\", u"a", u"b", u"c"});
        CHECK(rows[0].kind == FolderKind::Open);
        CHECK(rows[2].kind == FolderKind::Open);
        CHECK(rows[3].kind == FolderKind::Current);
        rows.push_back({u"sub", FolderKind::Closed});
        CHECK(EntryPath(dir, rows, 0) == u"C:\\");
        CHECK(EntryPath(dir, rows, 1) == u"C:\\a");
        CHECK(EntryPath(dir, rows, 2) == u"C:\\a\\b");
        CHECK(EntryPath(dir, rows, 3) == dir);
        CHECK(EntryPath(dir, rows, 4) == u"C:\\a\\b\\c\\sub");
    }
    SUBCASE("network path") {
        const std::u16string dir = u"\\\\srv\\share\\x\\y";
        auto rows = FolderRows(dir);
        CHECK(Texts(rows) == std::vector<std::u16string>{u"\\\\srv\\share\\", u"x", u"y"});
        CHECK(rows[0].kind == FolderKind::Open);
        CHECK(rows[2].kind == FolderKind::Current);
        CHECK(EntryPath(dir, rows, 0) == u"\\\\srv\\share\\");
        CHECK(EntryPath(dir, rows, 1) == u"\\\\srv\\share\\x");
        CHECK(EntryPath(dir, rows, 2) == dir);
        // The share itself, without a trailing backslash: only the root row.
        auto share = FolderRows(u"\\\\srv\\share");
        REQUIRE(share.size() == 1);
        CHECK(share[0].text == u"\\\\srv\\share\\");
    }
}

TEST_CASE("mask splitting keeps every piece in order") {
    CHECK(SplitMask("*.*") == std::vector<std::string>{"*.*"});
    CHECK(SplitMask("*.jpg;*.jpeg") == std::vector<std::string>{"*.jpg", "*.jpeg"});
    CHECK(SplitMask("*.jpg;") == std::vector<std::string>{"*.jpg", ""});
    CHECK(SplitMask("*.a;;*.b") == std::vector<std::string>{"*.a", "", "*.b"});
    CHECK(SplitMask("*.jpg;*.jpg") == std::vector<std::string>{"*.jpg", "*.jpg"});
    CHECK(SplitMask("") == std::vector<std::string>{""});
}

TEST_CASE("filter strings parse into description and mask pairs") {
    auto two = ParseFilter("A|*.a|B|*.b");
    REQUIRE(two.size() == 2);
    CHECK(two[0].description == "A");
    CHECK(two[0].mask == "*.a");
    CHECK(two[1].description == "B");
    CHECK(two[1].mask == "*.b");
    auto dangling = ParseFilter("A|*.a|B");
    REQUIRE(dangling.size() == 1);
    CHECK(dangling[0].mask == "*.a");
    CHECK(ParseFilter("").empty());
    CHECK(ParseFilter("A").empty());
    auto semis = ParseFilter("Obrázky|*.jpg;*.bmp");
    REQUIRE(semis.size() == 1);
    CHECK(semis[0].mask == "*.jpg;*.bmp");
}

TEST_CASE("drive row texts and program names") {
    CHECK(DriveRowText('a', DRIVE_REMOVABLE, u"ignored", u"") == u"a:");
    CHECK(DriveRowText('c', DRIVE_FIXED, u"SYSTEM", u"") == u"c: [system]");
    CHECK(DriveRowText('C', DRIVE_FIXED, u"system", u"") == u"C: [SYSTEM]");
    CHECK(DriveRowText('c', DRIVE_FIXED, u"", u"") == u"c: []");
    CHECK(DriveRowText('d', DRIVE_CDROM, u"", u"") == u"d: []");
    CHECK(DriveRowText('r', DRIVE_RAMDISK, u"Ram", u"") == u"r: [ram]");
    CHECK(DriveRowText('n', DRIVE_REMOTE, u"", u"\\\\SRV\\Share") == u"n: \\\\srv\\share");
    CHECK(DriveRowText('n', DRIVE_REMOTE, u"Data", u"") == u"n: [data]");
    CHECK(DriveRowText('q', DRIVE_NO_ROOT_DIR, u"", u"") == u"");
    CHECK(DriveRowText('q', DRIVE_UNKNOWN, u"", u"") == u"");

    CHECK(IsProgramName(u"setup.EXE"));
    CHECK(IsProgramName(u"a.com"));
    CHECK(IsProgramName(u"run.bat"));
    CHECK(IsProgramName(u"x.pif"));
    CHECK_FALSE(IsProgramName(u"exe"));
    CHECK_FALSE(IsProgramName(u"a.exe.jpg"));
    CHECK_FALSE(IsProgramName(u"a.exec"));
}
