// The browsing controls' path and text rules, without windows.
#include <windows.h>

#include "browse/drive_combo_box.h"
#include "browse/file_list_box.h"
#include "browse/path_rules.h"
#include "testing.h"

namespace {
// One pixel per character keeps the widths readable.
int Chars(const std::string& s) { return int(s.size()); }

std::vector<std::string> Texts(const std::vector<FolderRow>& rows) {
    std::vector<std::string> out;
    for (const FolderRow& r : rows) out.push_back(r.text);
    return out;
}
}  // namespace

TEST_CASE("FitPathToWidth shortens from the left and never cuts the name") {
    SUBCASE("the candidates, in order, when nothing fits") {
        std::vector<std::string> seen;
        auto tooWide = [&seen](const std::string& s) {
            seen.push_back(s);
            return 1000;
        };
        CHECK(FitPathToWidth("C:\\a\\b\\c\\d", tooWide, 10) == "d");
        CHECK(seen == std::vector<std::string>{"C:\\a\\b\\c\\d", "C:\\...\\b\\c\\d", "C:\\...\\c\\d",
                                               "C:\\...\\d", "...\\d"});
    }
    SUBCASE("the first candidate that fits") {
        const std::string path = "C:\\aaaa\\bbbb\\cccc\\dddd";  // 22 characters
        CHECK(FitPathToWidth(path, Chars, 100) == path);
        CHECK(FitPathToWidth(path, Chars, 22) == path);
        CHECK(FitPathToWidth(path, Chars, 21) == "C:\\...\\bbbb\\cccc\\dddd");
        CHECK(FitPathToWidth(path, Chars, 16) == "C:\\...\\cccc\\dddd");
        CHECK(FitPathToWidth(path, Chars, 15) == "C:\\...\\dddd");
        CHECK(FitPathToWidth(path, Chars, 8) == "...\\dddd");
        CHECK(FitPathToWidth(path, Chars, 7) == "dddd");
        // A name wider than the room stays whole; the label clips it.
        CHECK(FitPathToWidth(path, Chars, 0) == "dddd");
        CHECK(FitPathToWidth("\\\\srv\\share\\x", Chars, 8) == "\\...\\x");
    }
}

TEST_CASE("DropFirstFolder drops one folder per step") {
    CHECK(DropFirstFolder("\\a\\b\\c\\") == "\\...\\b\\c\\");
    CHECK(DropFirstFolder("\\...\\b\\c\\") == "\\...\\c\\");
    CHECK(DropFirstFolder("\\...\\c\\") == "\\...\\");
    CHECK(DropFirstFolder("...\\") == "");
    CHECK(DropFirstFolder("\\") == "");
    CHECK(DropFirstFolder("a\\b\\") == "...\\b\\");
    // A folder whose name starts with a dot is not taken for "...\".
    CHECK(DropFirstFolder("\\.a\\b\\c\\") == "\\...\\b\\c\\");
}

TEST_CASE("JoinPath, FolderDepth and the drive part") {
    CHECK(JoinPath("C:\\", "a.jpg") == "C:\\a.jpg");
    CHECK(JoinPath("C:\\x", "a.jpg") == "C:\\x\\a.jpg");
    CHECK(JoinPath("\\\\srv\\share", "*.*") == "\\\\srv\\share\\*.*");
    CHECK(FolderDepth("C:\\") == 1);
    CHECK(FolderDepth("C:\\a\\b") == 2);
    CHECK(FolderDepth("d") == 0);
    CHECK(DrivePart("C:\\a") == "C:");
    CHECK(DrivePart("\\\\srv\\share\\x\\y") == "\\\\srv\\share");
    CHECK(DrivePart("\\\\srv\\share") == "\\\\srv\\share");
    CHECK(DrivePart("relative\\x") == "");
    CHECK(DriveLetter("c:\\x") == 'c');
    CHECK(DriveLetter("\\\\srv\\share") == 0);
}

TEST_CASE("folder rows and their entry paths") {
    SUBCASE("drive root") {
        auto rows = FolderRows("C:\\");
        REQUIRE(rows.size() == 1);
        CHECK(rows[0].text == "C:\\");
        CHECK(rows[0].kind == FolderKind::Current);
        rows.push_back({"windows", FolderKind::Closed});
        CHECK(EntryPath("C:\\", rows, 0) == "C:\\");
        CHECK(EntryPath("C:\\", rows, 1) == "C:\\windows");
        CHECK(EntryPath("C:\\", rows, 2) == "");
        CHECK(EntryPath("C:\\", rows, -1) == "");
    }
    SUBCASE("nested folder") {
        const std::string dir = "C:\\a\\b\\c";
        auto rows = FolderRows(dir);
        CHECK(Texts(rows) == std::vector<std::string>{"C:\\", "a", "b", "c"});
        CHECK(rows[0].kind == FolderKind::Open);
        CHECK(rows[2].kind == FolderKind::Open);
        CHECK(rows[3].kind == FolderKind::Current);
        rows.push_back({"sub", FolderKind::Closed});
        CHECK(EntryPath(dir, rows, 0) == "C:\\");
        CHECK(EntryPath(dir, rows, 1) == "C:\\a");
        CHECK(EntryPath(dir, rows, 2) == "C:\\a\\b");
        CHECK(EntryPath(dir, rows, 3) == dir);
        CHECK(EntryPath(dir, rows, 4) == "C:\\a\\b\\c\\sub");
    }
    SUBCASE("network path") {
        const std::string dir = "\\\\srv\\share\\x\\y";
        auto rows = FolderRows(dir);
        CHECK(Texts(rows) == std::vector<std::string>{"\\\\srv\\share\\", "x", "y"});
        CHECK(rows[0].kind == FolderKind::Open);
        CHECK(rows[2].kind == FolderKind::Current);
        CHECK(EntryPath(dir, rows, 0) == "\\\\srv\\share\\");
        CHECK(EntryPath(dir, rows, 1) == "\\\\srv\\share\\x");
        CHECK(EntryPath(dir, rows, 2) == dir);
        // The share itself, without a trailing backslash: only the root row.
        auto share = FolderRows("\\\\srv\\share");
        REQUIRE(share.size() == 1);
        CHECK(share[0].text == "\\\\srv\\share\\");
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
    CHECK(DriveRowText('a', DRIVE_REMOVABLE, "ignored", "") == "a:");
    CHECK(DriveRowText('c', DRIVE_FIXED, "SYSTEM", "") == "c: [system]");
    CHECK(DriveRowText('C', DRIVE_FIXED, "system", "") == "C: [SYSTEM]");
    CHECK(DriveRowText('c', DRIVE_FIXED, "", "") == "c: []");
    CHECK(DriveRowText('d', DRIVE_CDROM, "", "") == "d: []");
    CHECK(DriveRowText('r', DRIVE_RAMDISK, "Ram", "") == "r: [ram]");
    CHECK(DriveRowText('n', DRIVE_REMOTE, "", "\\\\SRV\\Share") == "n: \\\\srv\\share");
    CHECK(DriveRowText('n', DRIVE_REMOTE, "Data", "") == "n: [data]");
    CHECK(DriveRowText('q', DRIVE_NO_ROOT_DIR, "", "") == "");
    CHECK(DriveRowText('q', DRIVE_UNKNOWN, "", "") == "");

    CHECK(IsProgramName("setup.EXE"));
    CHECK(IsProgramName("a.com"));
    CHECK(IsProgramName("run.bat"));
    CHECK(IsProgramName("x.pif"));
    CHECK_FALSE(IsProgramName("exe"));
    CHECK_FALSE(IsProgramName("a.exe.jpg"));
    CHECK_FALSE(IsProgramName("a.exec"));
}
