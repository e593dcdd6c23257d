// Hostile files through the real picture layer: every truncation, every
// size, count and offset field set to the values that break readers, and
// thousands of seeded mutations of a small valid file of each kind. Each
// file must load and then measure, draw (through an image control and into
// a memory DC) and save, or fail with one of its kind's own messages while
// the container keeps the picture it held.
//
// LUMENO_HOSTILE_MUTATIONS=n runs n seeded mutations per sample instead of
// the default; LUMENO_HOSTILE_TRACE=1 prints each case and step before it
// runs, so a crash or a hang names its case; LUMENO_HOSTILE_ONLY=text runs
// only the cases whose names contain the text; LUMENO_HOSTILE_SET=a.emf,b.wmf
// attacks those files of the valid metafile set as well.
#include "testing.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "fixture.h"
#include "platform/text.h"
#include "hostile_mutations.h"
#include "hostile_samples.h"
#include "picture/bitmap.h"
#include "picture/clipboard.h"
#include "picture/image.h"
#include "picture/metafile.h"
#include "picture/picture.h"
#include "picture_testing.h"
#include "platform/exceptions.h"
#include "platform/stream.h"
#include "tools/metafiles/valid_set.h"
#include "ui/form.h"
#include "ui/gdi.h"

namespace {
using Bytes = std::vector<uint8_t>;

// Seeded mutations per sample when the environment does not say.
constexpr int kDefaultMutations = 2500;

int MutationCount() {
    const char* value = std::getenv("LUMENO_HOSTILE_MUTATIONS");
    return value ? std::max(0, std::atoi(value)) : kDefaultMutations;
}

bool Tracing() { return std::getenv("LUMENO_HOSTILE_TRACE") != nullptr; }

void Trace(const char* step, const std::string& label) {
    if (!Tracing()) return;
    std::printf("%s %s\n", step, label.c_str());
    std::fflush(stdout);
}

bool Chosen(const std::string& label) {
    const char* only = std::getenv("LUMENO_HOSTILE_ONLY");
    return !only || label.find(only) != std::string::npos;
}

// ---- the kinds' messages ----

bool StartsWith(const std::string& text, const std::string& start) { return text.compare(0, start.size(), start) == 0; }

// "JPEG error #" and the library's code.
bool IsJpegError(const std::string& text) {
    const std::string start = "JPEG error #";
    if (!StartsWith(text, start) || text.size() == start.size()) return false;
    return std::all_of(text.begin() + start.size(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The system's texts a refused drawing call reports (EOutOfResources).
const std::vector<std::string>& SystemTexts() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> out{"Out of system resources"};
        for (unsigned long code : {ERROR_INVALID_HANDLE, ERROR_NOT_ENOUGH_MEMORY, ERROR_OUTOFMEMORY,
                                   ERROR_INVALID_PARAMETER, ERROR_INVALID_DATA})
            out.push_back(OutOfResources(uint32_t(code)).what());
        return out;
    }();
    return texts;
}

bool IsKindMessage(const std::string& kind, const std::string& text) {
    const std::vector<std::string>& system = SystemTexts();
    if (text == "Stream read error" || std::find(system.begin(), system.end(), text) != system.end()) return true;
    if (kind == "TBitmap") return text == "Bitmap image is not valid" || StartsWith(text, "Win32 Error.  Code: ");
    if (kind == "TJPEGImage") return IsJpegError(text);
    if (kind == "TIcon") return text == "Icon image is not valid";
    if (kind == "TMetafile") return text == "Metafile is not valid";
    return false;
}

// The error box adds a full stop to a message that does not end in one.
bool IsKindBoxText(const std::string& kind, const std::string& text) {
    if (IsKindMessage(kind, text)) return true;
    return !text.empty() && text.back() == '.' && IsKindMessage(kind, text.substr(0, text.size() - 1));
}

// ---- one case ----

struct Tally {
    int truncations = 0, overwrites = 0, mutations = 0;
    int loaded = 0, refused = 0, skipped = 0, drawErrors = 0, saveErrors = 0, convertedRefused = 0;
};

// A shown form whose image control holds the picture under test, a memory
// DC to draw into, a folder for the files, and the picture held before each case.
class HostileStage {
public:
    HostileStage() {
        TestApplication();
        FormSettings fs;
        fs.caption = "Nepriatelske subory";
        fs.left = 60;
        fs.top = 60;
        fs.clientWidth = 100;
        fs.clientHeight = 100;
        form_ = std::make_unique<TForm>(fs);
        ImageSettings is;
        is.left = 10;
        is.top = 10;
        is.width = 64;
        is.height = 64;
        is.center = true;
        image_ = std::make_unique<TImage>(form_.get(), is);
        form_->Show();
        Pump();
        BITMAPINFO bi{};
        bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 48, -48, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        target_.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        select_ = std::make_unique<SelectGuard>(dc_.get(), target_.get());
        BmpFields known;
        known.width = 7;
        known.height = 5;
        known.pixels.assign(5 * 24, 0x5A);
        TMemoryStream stream(BuildBmp(known));
        known_.LoadStream(stream);
    }
    ~HostileStage() {
        image_.reset();
        form_.reset();
        Pump();
    }

    void Run(const Sample& sample, const Bytes& bytes, const std::string& label, Tally& tally) {
        if (!Chosen(label)) {
            ++tally.skipped;
            return;
        }
        INFO(label);
        Trace("load", label);
        if (!Load(sample, bytes, tally)) return;
        ++tally.loaded;
        Exercise(sample, label, tally);
        Trace("save", label);
        Save(sample, bytes, sample.extension, tally);
        // Writing a WMF plays the records through the system's converter as well.
        if (sample.extension == "emf") Save(sample, bytes, "wmf", tally);
        // A write past a buffer of the system's may not crash at once: its heap shows it.
        CHECK_MESSAGE(HeapValidate(GetProcessHeap(), 0, nullptr), "the process heap is damaged");
    }

private:
    TPicture& Picture() { return image_->Picture(); }

    // Loads the file over the known picture; false when refused, with the known picture kept.
    bool Load(const Sample& sample, const Bytes& bytes, Tally& tally) {
        Picture().SetGraphic(&known_);
        const TGraphic* before = Picture().Graphic();
        const std::string name = "case." + sample.extension;
        folder_.Write(name, bytes);
        try {
            Picture().LoadFile(folder_.File(name));
        } catch (const Exception& e) {
            CHECK_MESSAGE(IsKindMessage(sample.kind, e.what()), "unexpected refusal: ", e.Message());
            CHECK(Picture().Graphic() == before);
            CHECK(std::string(Picture().Graphic()->ClassName()) == "TBitmap");
            CHECK(Picture().Width() == 7);
            CHECK(Picture().Height() == 5);
            ++tally.refused;
            return false;
        } catch (const std::exception& e) {
            FAIL_CHECK("not one of the kind's errors: ", std::string(e.what()));
            return false;
        }
        REQUIRE(Picture().Graphic() != nullptr);
        CHECK(std::string(Picture().Graphic()->ClassName()) == sample.kind);
        return true;
    }

    // Counts a drawing error, which must be one of the kind's.
    void DrawInto(TGraphic& graphic, const RECT& rect, const std::string& kind, int& errors) {
        TCanvas canvas(dc_.get());
        try {
            graphic.Draw(canvas, rect);
        } catch (const Exception& e) {
            CHECK_MESSAGE(IsKindMessage(kind, e.what()), "unexpected drawing error: ", e.Message());
            ++errors;
        } catch (const std::exception& e) {
            FAIL_CHECK("not one of the kind's errors while drawing: ", std::string(e.what()));
            ++errors;
        }
    }

    // Measures it, paints the image control, and draws it stretched and at its own size.
    void Exercise(const Sample& sample, const std::string& label, Tally& tally) {
        TGraphic& graphic = *Picture().Graphic();
        CHECK(Picture().Width() >= 0);
        CHECK(Picture().Height() >= 0);
        graphic.Palette();
        graphic.IsEmpty();
        CaptureErrors boxes;
        Trace("paint", label);
        UpdateWindow(image_->Handle());
        for (const std::u16string& text : boxes.texts)
            CHECK_MESSAGE(IsKindBoxText(sample.kind, Narrow1250(text)), "unexpected error box: ", text);
        int errors = int(boxes.texts.size());
        Trace("stretch", label);
        DrawInto(graphic, RECT{0, 0, 48, 48}, sample.kind, errors);
        Trace("natural", label);
        const auto w = LONG(std::min(graphic.Width(), 1 << 20)), h = LONG(std::min(graphic.Height(), 1 << 20));
        DrawInto(graphic, RECT{1, 1, 1 + w, 1 + h}, sample.kind, errors);
        // A failed decoding is reported once; later drawing shows what there is.
        if (sample.kind == "TJPEGImage" || sample.kind == "TIcon") CHECK(errors <= 1);
        CHECK(Picture().Width() >= 0);
        CHECK(Picture().Height() >= 0);
        if (errors) ++tally.drawErrors;
    }

    // Saves under `extension` and reads the file back.
    void Save(const Sample& sample, const Bytes& bytes, const std::string& extension, Tally& tally) {
        const std::u16string path = folder_.File("saved." + extension);
        try {
            Picture().SaveFile(path);
        } catch (const Exception& e) {
            CHECK_MESSAGE(IsKindMessage(sample.kind, e.what()), "unexpected saving error: ", e.Message());
            ++tally.saveErrors;
            return;
        } catch (const std::exception& e) {
            FAIL_CHECK("not one of the kind's errors while saving: ", std::string(e.what()));
            return;
        }
        // JPEG files and icons are written byte for byte as they were read.
        if (sample.kind == "TJPEGImage" || sample.kind == "TIcon") CHECK(ReadBytes(path) == bytes);
        TPicture again;
        try {
            again.LoadFile(path);
        } catch (const Exception& e) {
            // A WMF is written by the system's converter, which copies what it
            // cannot make sense of (an object that failed to be made becomes
            // number -1, a region that failed an empty one): from a damaged
            // metafile it may write one the reader refuses.
            const bool converted = sample.kind == "TMetafile" && extension == "wmf";
            if (converted && IsKindMessage(sample.kind, e.what())) {
                ++tally.convertedRefused;
                return;
            }
            FAIL_CHECK("the saved file does not load: ", e.Message());
            return;
        } catch (const std::exception& e) {
            FAIL_CHECK("the saved file does not load: ", std::string(e.what()));
            return;
        }
        if (sample.kind == "TBitmap") {
            CHECK(again.Width() == Picture().Width());
            CHECK(again.Height() == Picture().Height());
        }
    }

    std::unique_ptr<TForm> form_;
    std::unique_ptr<TImage> image_;
    MemoryDC dc_;
    Bitmap target_;
    std::unique_ptr<SelectGuard> select_;
    TempFolder folder_;
    TBitmap known_;
};

const std::vector<Sample>& Samples() {
    static const std::vector<Sample> samples = [] {
        TestApplication();
        return HostileSamples();
    }();
    return samples;
}

// Every truncation, every field overwrite, then the seeded mutations.
void Attack(const Sample& sample) {
    HostileStage stage;
    Tally tally;
    for (size_t length = 0; length < sample.bytes.size(); ++length, ++tally.truncations)
        stage.Run(sample, Bytes(sample.bytes.begin(), sample.bytes.begin() + long(length)),
                  sample.name + " cut to " + std::to_string(length), tally);
    for (const Overwrite& o : AllOverwrites(sample)) {
        char how[64];
        std::snprintf(how, sizeof how, " set@%zu=0x%x", sample.fields[o.field].at, unsigned(o.value));
        stage.Run(sample, Apply(sample, o), sample.name + how, tally);
        ++tally.overwrites;
    }
    const int mutations = MutationCount();
    for (int i = 0; i < mutations; ++i, ++tally.mutations) {
        std::string how;
        const Bytes bytes = Mutate(sample, uint64_t(i), how);
        stage.Run(sample, bytes, sample.name + " mutation " + std::to_string(i) + ":" + how, tally);
    }
    std::printf("hostile %-16s %5zu bytes: %5d cuts, %5d overwrites, %5d mutations -> %5d loaded, %5d refused; "
                "errors: %4d drawing, %4d saving; %d conversions refused on reading\n",
                sample.name.c_str(), sample.bytes.size(), tally.truncations, tally.overwrites, tally.mutations,
                tally.loaded, tally.refused, tally.drawErrors, tally.saveErrors, tally.convertedRefused);
    std::fflush(stdout);
    CHECK(tally.loaded + tally.refused + tally.skipped == tally.truncations + tally.overwrites + tally.mutations);
}

void AttackAll(const std::string& extension) {
    const auto kind = [&](const Sample& sample) { return sample.extension == extension; };
    REQUIRE(std::any_of(Samples().begin(), Samples().end(), kind));
    for (const Sample& sample : Samples())
        if (kind(sample)) Attack(sample);
}
}  // namespace

TEST_CASE("hostile files: the samples are valid and load as their kinds") {
    TestApplication();
    for (const Sample& sample : Samples()) {
        CAPTURE(sample.name);
        TempFolder folder;
        folder.Write("ok." + sample.extension, sample.bytes);
        TPicture picture;
        picture.LoadFile(folder.File("ok." + sample.extension));
        REQUIRE(picture.Graphic() != nullptr);
        CHECK(std::string(picture.Graphic()->ClassName()) == sample.kind);
        CHECK(picture.Width() > 0);
        CHECK(picture.Height() > 0);
        CHECK_NOTHROW(Render(*picture.Graphic(), 48, 48));
        CHECK_FALSE(sample.fields.empty());
    }
}

TEST_CASE("hostile files: bitmaps") { AttackAll("bmp"); }

TEST_CASE("hostile files: JPEG pictures") { AttackAll("jpg"); }

TEST_CASE("hostile files: icons") { AttackAll("ico"); }

TEST_CASE("hostile files: enhanced metafiles") { AttackAll("emf"); }

TEST_CASE("hostile files: placeable Windows metafiles") { AttackAll("wmf"); }

namespace {
const Sample& SampleNamed(const std::string& name) {
    for (const Sample& sample : Samples())
        if (sample.name == name) return sample;
    throw std::runtime_error("no sample " + name);
}

uint32_t Get32(const Bytes& b, size_t at) {
    return uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16) | uint32_t(b[at + 3]) << 24;
}

void Put(Bytes& b, size_t at, uint32_t value, uint8_t width) { WriteField(b, Field{at, width, false}, value); }

// Where the first record of `type` of an EMF starts.
size_t EmfRecordOf(const Bytes& emf, uint32_t type) {
    for (size_t at : EmfRecords(emf))
        if (Get32(emf, at) == type) return at;
    throw std::runtime_error("no such EMF record");
}

size_t WmfRecordOf(const Bytes& wmf, uint16_t function) {
    for (size_t at : WmfRecords(wmf))
        if ((Get32(wmf, at + 4) & 0xFFFF) == function) return at;
    throw std::runtime_error("no such WMF record");
}

// Loads the damaged bytes, draws them, copies them and saves them as EMF
// and WMF, each saved file loading again; the records the system would
// misread are left out or mended. Returns the drawing at 48 x 48.
std::vector<uint32_t> CheckPlays(const Bytes& bytes, const std::string& extension) {
    TempFolder folder;
    folder.Write("damaged." + extension, bytes);
    TPicture picture;
    REQUIRE_NOTHROW(picture.LoadFile(folder.File("damaged." + extension)));
    const std::vector<uint32_t> pixels = Render(*picture.Graphic(), 48, 48);
    Clipboard().Assign(&picture);
    for (const char* saved : {"saved.emf", "saved.wmf"}) {
        CHECK_NOTHROW(picture.SaveFile(folder.File(saved)));
        TPicture again;
        CHECK_NOTHROW(again.LoadFile(folder.File(saved)));
    }
    CHECK(HeapValidate(GetProcessHeap(), 0, nullptr));
    return pixels;
}
}  // namespace

// What the runs once found: each crashed or hung the program (painting, or
// converting for a save) before the readers checked what the system trusts.
// The record at fault is left out of the copy the system plays.
TEST_CASE("hostile files: the damage that crashed or hung the program is harmless") {
    TestApplication();
    const Bytes& emf = SampleNamed("emf").bytes;
    const Bytes& wmf = SampleNamed("wmf").bytes;
    auto emfWith = [&](uint32_t type, std::initializer_list<uint32_t> fields) {
        Bytes damaged = emf;
        const size_t at = EmfRecordOf(emf, EMR_ELLIPSE);
        Put(damaged, at, type, 4);
        size_t field = at + 8;
        for (uint32_t value : fields) Put(damaged, (field += 4) - 4, value, 4);
        return damaged;
    };
    Bytes noTable = emf;
    Put(noTable, 56, 0, 2);
    Bytes polyline = wmf;
    Put(polyline, WmfRecordOf(wmf, META_POLYLINE) + 6, 0xFFFF, 2);
    Bytes keptSelect = wmf;
    const size_t kept = WmfRecordOf(wmf, META_ESCAPE) + 10 + 34;
    Put(keptSelect, kept + EmfRecordOf(Bytes(wmf.begin() + long(kept), wmf.end()), EMR_SELECTOBJECT) + 8, 0x10000, 4);
    Bytes imageSize = emf;
    const size_t stretch = EmfRecordOf(emf, EMR_STRETCHDIBITS);
    Put(imageSize, stretch + Get32(emf, stretch + 48) + 20, 0x20000010, 4);
    const struct {
        const char* name;
        Bytes bytes;
        const char* extension;
    } cases[] = {
        {"an EMF whose header has no object table", noTable, "emf"},
        {"a WMF polyline of 65535 points in a record of four", polyline, "wmf"},
        {"a WMF whose kept EMF selects object 65536", keptSelect, "wmf"},
        {"an EMF bitmap whose header's image size is 512 MB past its bits", imageSize, "emf"},
        {"an EMF setting the colour space of stock object 0", emfWith(EMR_SETCOLORSPACE, {0x80000000}), "emf"},
        {"an EMF restoring the state -2^31 back", emfWith(EMR_RESTOREDC, {0x80000000}), "emf"},
    };
    for (const auto& c : cases) {
        INFO(c.name);
        CheckPlays(c.bytes, c.extension);
    }
}

// Found by playing the valid set in the program: the player sets the pixel
// format of the window a picture is drawn in, which keeps it, and nothing
// drawn in that window afterwards shows. The record is left out.
TEST_CASE("hostile files: after a picture with a pixel format its window shows the next picture") {
    TestApplication();
    Bytes emf;
    for (const metafiles::File& file : metafiles::ValidSet())
        if (file.name == "other-writers-records.emf") emf = file.bytes;
    EmfRecordOf(emf, EMR_PIXELFORMAT);
    BmpFields green;
    green.width = green.height = 64;
    for (int i = 0; i < 64 * 64; ++i) green.pixels.insert(green.pixels.end(), {0, 200, 0});
    TempFolder folder;
    folder.Write("format.emf", emf);
    folder.Write("green.bmp", BuildBmp(green));
    FormSettings fs;
    fs.caption = "Format";
    fs.left = fs.top = 60;
    fs.clientWidth = fs.clientHeight = 100;
    TForm form(fs);
    ImageSettings is;
    is.left = is.top = 10;
    is.width = is.height = 64;
    is.stretch = true;
    TImage image(&form, is);
    form.Show();
    for (const char* name : {"format.emf", "green.bmp"}) {
        image.Picture().LoadFile(folder.File(name));
        UpdateWindow(image.Handle());
        Pump();
    }
    POINT centre{32, 32};
    ClientToScreen(image.Handle(), &centre);
    WindowDC screen(nullptr);
    CHECK(GetPixel(screen.get(), centre.x, centre.y) == RGB(0, 200, 0));
}

// Found by the whole-program run: the player makes an alpha blend's section
// by the record's colour usage, which it cannot for any but RGB colours,
// and copies the bits into the section it did not get. Read as RGB colours,
// the blend shows.
TEST_CASE("hostile files: an alpha blend of any colour usage is drawn as RGB colours") {
    TestApplication();
    Bytes emf;
    for (const metafiles::File& file : metafiles::ValidSet())
        if (file.name == "blits.emf") emf = file.bytes;
    const size_t blend = EmfRecordOf(emf, EMR_ALPHABLEND);
    const std::vector<uint32_t> plain = CheckPlays(emf, "emf");
    for (uint32_t usage : {1u, 2u, 3u, 8u, 0x80000000u}) {
        CAPTURE(usage);
        Bytes damaged = emf;
        Put(damaged, blend + 80, usage, 4);
        CHECK(CheckPlays(damaged, "emf") == plain);
    }
}

TEST_CASE("hostile files: damage the system's player would misread") {
    TestApplication();
    const Bytes& emf = SampleNamed("emf").bytes;
    SUBCASE("an EMF that saves states and never restores them leaves the DC as it was") {
        // Found as a hang: the next metafile drawn into the same DC started from what this one left.
        Bytes damaged = emf;
        Put(damaged, EmfRecordOf(emf, EMR_ELLIPSE), EMR_SAVEDC, 4);
        // Then the polyline becomes a transform that draws 1000 times larger.
        const size_t polyline = EmfRecordOf(emf, EMR_POLYLINE16);
        const std::vector<uint32_t> scale = {0x447A0000, 0, 0, 0x447A0000, 0, 0, MWT_LEFTMULTIPLY};
        Put(damaged, polyline, EMR_MODIFYWORLDTRANSFORM, 4);
        for (size_t i = 0; i < scale.size(); ++i) Put(damaged, polyline + 8 + 4 * i, scale[i], 4);
        TMetafile metafile;
        TMemoryStream stream(damaged);
        metafile.LoadStream(stream);
        MemoryDC dc;
        BITMAPINFO bi{};
        bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 48, 32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        Bitmap target(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        SelectGuard keep(dc.get(), target.get());
        const int level = SaveDC(dc.get());
        TCanvas canvas(dc.get());
        metafile.Draw(canvas, RECT{0, 0, 48, 32});
        XFORM transform{};
        GetWorldTransform(dc.get(), &transform);
        CHECK(transform.eM11 == 1.0f);
        CHECK(GetGraphicsMode(dc.get()) == GM_COMPATIBLE);
        CHECK(SaveDC(dc.get()) == level + 1);
    }
    SUBCASE("an EMF ellipse 2^30 units wide is left out, the rest drawn") {
        Bytes damaged = emf;
        Put(damaged, EmfRecordOf(emf, EMR_ELLIPSE) + 8, 0x40000000, 4);
        TMetafile metafile;
        TMemoryStream stream(damaged);
        metafile.LoadStream(stream);
        const std::vector<uint32_t> pixels = Render(metafile, 48, 32);
        CHECK(std::count(pixels.begin(), pixels.end(), Rgb(200, 40, 10)) > 100);
    }
}

// Found attacking the valid set: stretching from a source 2^31 pixels wide
// overflows the system's arithmetic and writes past its buffers.
TEST_CASE("hostile files: a bitmap stretched from a source far wider than itself is left out") {
    TestApplication();
    Bytes emf;
    for (const metafiles::File& file : metafiles::ValidSet())
        if (file.name == "bitmaps.emf") emf = file.bytes;
    size_t record = 0;
    for (size_t at : EmfRecords(emf))
        if (Get32(emf, at) == EMR_STRETCHDIBITS && (Get32(emf, at + Get32(emf, at + 48) + 12) >> 16) == 1) record = at;
    REQUIRE(record != 0);
    Put(emf, record + 40, 0x7FFFFFFF, 4);
    TMetafile metafile;
    TMemoryStream stream(emf);
    metafile.LoadStream(stream);
    for (int i = 0; i < 8; ++i) Render(metafile, 48, 48);
    CHECK(HeapValidate(GetProcessHeap(), 0, nullptr));
}

// Found by reading back what the runs saved: the system's converter copies
// a bitmap's bits by its header's image size, which most headers leave 0.
TEST_CASE("hostile files: an EMF bitmap without an image size keeps its bits in a WMF") {
    TestApplication();
    Bytes emf = SampleNamed("emf").bytes;
    const size_t record = EmfRecordOf(emf, EMR_STRETCHDIBITS);
    Put(emf, record + Get32(emf, record + 48) + 20, 0, 4);
    TempFolder folder;
    folder.Write("kresba.emf", emf);
    TPicture picture;
    picture.LoadFile(folder.File("kresba.emf"));
    picture.SaveFile(folder.File("kresba.wmf"));
    TPicture again;
    REQUIRE_NOTHROW(again.LoadFile(folder.File("kresba.wmf")));
    // The 2 x 2 bitmap is stretched over (36, 20)-(44, 28); its top left is blue.
    const std::vector<uint32_t> pixels = Render(*again.Graphic(), again.Width(), again.Height());
    CHECK(pixels[size_t(22) * size_t(again.Width()) + 37] == Rgb(0, 0, 255));
}
