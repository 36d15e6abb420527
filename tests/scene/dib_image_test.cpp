// The picture reader on small bitmaps made here byte by byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#include "scene/dib_image.h"

namespace {

struct Shown {
    std::string text, caption;
    int count = 0;
};
Shown g_shown;

int CatchBox(void*, const char* text, const char* caption, UINT)
{
    g_shown.text = text;
    g_shown.caption = caption;
    ++g_shown.count;
    return 1;
}

struct Freer {
    void operator()(AUX_RGBImageRec* r) const
    {
        if (r) std::free(r->data);
        std::free(r);
    }
};
using Picture = std::unique_ptr<AUX_RGBImageRec, Freer>;

void Put16(std::string& s, uint32_t v) { s += char(v & 255); s += char((v >> 8) & 255); }
void Put32(std::string& s, uint32_t v) { Put16(s, v & 0xFFFF); Put16(s, v >> 16); }

// A bitmap description; Bytes() lays it out as a file.
struct Dib {
    int headerSize = 40;
    int32_t width = 1, height = 1;
    uint16_t planes = 1, bitCount = 24;
    uint32_t compression = 0, sizeImage = 0, usedColours = 0;
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    std::vector<uint32_t> masks;    // bit fields, when given
    std::string bits;
    bool fileHeader = true;
    int64_t bitsOffsetOverride = -1;

    std::string Bytes() const
    {
        std::string header;
        Put32(header, static_cast<uint32_t>(headerSize));
        if (headerSize == 12) {
            Put16(header, static_cast<uint32_t>(width));
            Put16(header, static_cast<uint32_t>(height));
            Put16(header, planes);
            Put16(header, bitCount);
        } else {
            Put32(header, static_cast<uint32_t>(width));
            Put32(header, static_cast<uint32_t>(height));
            Put16(header, planes);
            Put16(header, bitCount);
            Put32(header, compression);
            Put32(header, sizeImage);
            Put32(header, 2835);
            Put32(header, 2835);
            Put32(header, usedColours);
            Put32(header, 0);
            while (header.size() < static_cast<size_t>(headerSize)) header += char(0);
        }
        for (uint32_t m : masks) Put32(header, m);
        for (uint32_t c : palette) {
            header += char(c & 255);
            header += char((c >> 8) & 255);
            header += char((c >> 16) & 255);
            if (headerSize != 12) header += char(0);
        }
        if (!fileHeader) return header + bits;
        std::string file = "BM";
        Put32(file, static_cast<uint32_t>(14 + header.size() + bits.size()));
        Put32(file, 0);
        Put32(file, bitsOffsetOverride >= 0 ? static_cast<uint32_t>(bitsOffsetOverride)
                                            : static_cast<uint32_t>(14 + header.size()));
        return file + header + bits;
    }
};

class DibImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_pictureMessageBox = CatchBox;
        g_shown = Shown();
        // One file per test and process: ctest runs the tests side by side.
        m_path = ::testing::TempDir() + "dib_image_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                 std::to_string(getpid()) + ".res";
    }
    void TearDown() override { std::remove(m_path.c_str()); }

    Picture Load(const std::string& bytes)
    {
        std::ofstream(m_path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return Picture(auxDIBImageLoadA(m_path.c_str()));
    }
    // The RGB bytes of a loaded picture, bottom row first.
    static std::vector<int> Rgb(const Picture& p)
    {
        return std::vector<int>(p->data, p->data + p->sizeX * p->sizeY * 3);
    }
    void ExpectRejected(const Dib& d, const char* message)
    {
        g_shown = Shown();
        EXPECT_EQ(Load(d.Bytes()), nullptr);
        EXPECT_EQ(g_shown.count, 1);
        EXPECT_EQ(g_shown.text, message);
        EXPECT_EQ(g_shown.caption, "Error");
    }
    std::string m_path;
};

std::vector<uint32_t> Grey256()
{
    std::vector<uint32_t> p;
    for (uint32_t i = 0; i < 256; ++i) p.push_back(i << 16 | (255 - i) << 8 | (i / 2));
    return p;
}

TEST_F(DibImage, PaletteFileGivesTheSameDataWithAndWithoutFileHeader)
{
    Dib d;
    d.width = 3;
    d.height = 2;
    d.bitCount = 8;
    d.palette = Grey256();
    d.bits = std::string("\x01\x02\x03\x00\x10\x20\xFF\x00", 8);  // bottom row, then top row
    const Picture with = Load(d.Bytes());
    d.fileHeader = false;
    const Picture without = Load(d.Bytes());
    ASSERT_TRUE(with && without);
    EXPECT_EQ(with->sizeX, 3);
    EXPECT_EQ(with->sizeY, 2);
    EXPECT_EQ(Rgb(with), Rgb(without));
    EXPECT_EQ(Rgb(with), (std::vector<int>{1, 254, 0, 2, 253, 1, 3, 252, 1, 16, 239, 8, 32, 223, 16, 255, 0, 127}));
    EXPECT_EQ(g_shown.count, 0);
}

TEST_F(DibImage, TwentyFourBitRowsLoseTheirPadding)
{
    Dib d;
    d.width = 5;
    d.height = 2;
    for (int row = 0; row < 2; ++row) {
        for (int x = 0; x < 5; ++x) {
            d.bits += char(x);              // B
            d.bits += char(10 * row);       // G
            d.bits += char(100 + x);        // R
        }
        d.bits += char(0x7E);               // padding byte, must not show
    }
    const Picture p = Load(d.Bytes());
    ASSERT_TRUE(p);
    std::vector<int> expected;
    for (int row = 0; row < 2; ++row)
        for (int x = 0; x < 5; ++x) expected.insert(expected.end(), {100 + x, 10 * row, x});
    EXPECT_EQ(Rgb(p), expected);
}

TEST_F(DibImage, CoreHeaderFourBitUsesSixteenThreeByteEntries)
{
    Dib d;
    d.headerSize = 12;
    d.width = 3;
    d.height = 1;
    d.bitCount = 4;
    for (uint32_t i = 0; i < 16; ++i) d.palette.push_back(i * 16 << 16 | i << 8 | (15 - i));
    d.bits = std::string("\x1F\x20\x00\x00", 4);
    for (bool header : {true, false}) {
        d.fileHeader = header;
        const Picture p = Load(d.Bytes());
        ASSERT_TRUE(p);
        EXPECT_EQ(Rgb(p), (std::vector<int>{16, 1, 14, 240, 15, 0, 32, 2, 13}));
    }
}

TEST_F(DibImage, OneBitAndTopDownFiles)
{
    Dib d;
    d.width = 10;
    d.height = -2;  // top row stored first
    d.bitCount = 1;
    d.palette = {0x000000, 0xFFFFFF};
    d.bits = std::string("\x80\x40\x00\x00\x00\x00\x00\x00", 8);
    const Picture p = Load(d.Bytes());
    ASSERT_TRUE(p);
    EXPECT_EQ(p->sizeY, 2);
    // The output keeps the bottom row first: the stored top row comes second.
    const std::vector<int> rgb = Rgb(p);
    EXPECT_EQ(rgb[0], 0);
    EXPECT_EQ(rgb[30 + 0], 255);   // top row, pixel 0
    EXPECT_EQ(rgb[30 + 27], 255);  // top row, pixel 9
    EXPECT_EQ(rgb[30 + 3], 0);

    Dib top;
    top.width = 1;
    top.height = -2;
    top.bits = std::string("\x01\x02\x03\x00\x04\x05\x06\x00", 8);
    const Picture q = Load(top.Bytes());
    ASSERT_TRUE(q);
    EXPECT_EQ(Rgb(q), (std::vector<int>{6, 5, 4, 3, 2, 1}));
}

TEST_F(DibImage, RunLengthEncodedFiles)
{
    Dib d;
    d.width = 6;
    d.height = 2;
    d.bitCount = 8;
    d.compression = 1;
    d.palette = Grey256();
    // Row 0: run of 3 x index 5, literal 7 8 9 (padded); row 1: delta 2 right, 1 x index 200; end.
    d.bits = std::string("\x03\x05\x00\x03\x07\x08\x09\x00\x00\x00\x00\x02\x02\x00\x01\xC8\x00\x01", 18);
    d.sizeImage = static_cast<uint32_t>(d.bits.size());
    const Picture p = Load(d.Bytes());
    ASSERT_TRUE(p);
    const std::vector<int> rgb = Rgb(p);
    const int row0[] = {5, 5, 5, 7, 8, 9};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(rgb[x * 3], row0[x]);
    EXPECT_EQ(rgb[18 + 2 * 3], 200);
    EXPECT_EQ(rgb[18 + 0], 0);  // skipped by the delta: black
    EXPECT_EQ(rgb[18 + 1], 0);

    Dib four;
    four.width = 6;
    four.height = 1;
    four.bitCount = 4;
    four.compression = 2;
    for (uint32_t i = 0; i < 16; ++i) four.palette.push_back(i << 16);
    four.bits = std::string("\x03\x12\x00\x03\x34\x50\x00\x01", 8);  // run 1 2 1, literal 3 4 5, end
    const Picture q = Load(four.Bytes());
    ASSERT_TRUE(q);
    const std::vector<int> r = Rgb(q);
    const int expected[] = {1, 2, 1, 3, 4, 5};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(r[x * 3], expected[x]);

    // A stream that ends inside a literal run reads nothing past the data.
    d.bits = std::string("\x00\x09\x01\x02", 4);
    d.sizeImage = 4;
    ExpectRejected(d, "Image file conversion error.");
}

TEST_F(DibImage, SixteenAndThirtyTwoBitFiles)
{
    Dib d;
    d.width = 2;
    d.height = 1;
    d.bitCount = 16;
    d.bits = std::string("\x00\x7C\x1F\x00", 4);  // 555: pure red, pure blue
    Picture p = Load(d.Bytes());
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(p), (std::vector<int>{255, 0, 0, 0, 0, 255}));

    d.compression = 3;
    d.masks = {0xF800, 0x07E0, 0x001F};
    d.bits = std::string("\xE0\x07\x10\x84", 4);  // 565: pure green; (16, 32, 16) of (31, 63, 31)
    p = Load(d.Bytes());
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(p), (std::vector<int>{0, 255, 0, 132, 130, 132}));

    Dib w;
    w.width = 1;
    w.height = 1;
    w.bitCount = 32;
    w.bits = std::string("\x11\x22\x33\x44", 4);
    p = Load(w.Bytes());
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(p), (std::vector<int>{0x33, 0x22, 0x11}));
    w.compression = 3;
    w.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    p = Load(w.Bytes());
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(p), (std::vector<int>{0x11, 0x22, 0x33}));
}

TEST_F(DibImage, RejectedHeadersShowTheirMessage)
{
    const Dib good = [] {
        Dib d;
        d.width = 2;
        d.height = 2;
        d.bits = std::string(16, '\x40');
        return d;
    }();
    ASSERT_TRUE(Load(good.Bytes()));

    const char* const FORMAT = "Unknown DIB file format.";
    const char* const CONVERSION = "Image file conversion error.";
    const struct {
        void (*change)(Dib&);
        const char* message;
    } cases[] = {
        {[](Dib& d) { d.headerSize = 64; }, FORMAT},
        {[](Dib& d) { d.planes = 2; }, FORMAT},
        {[](Dib& d) { d.width = 0; }, FORMAT},
        {[](Dib& d) { d.width = -2; }, FORMAT},
        {[](Dib& d) { d.height = 0; }, FORMAT},
        {[](Dib& d) { d.width = 16385; }, FORMAT},
        {[](Dib& d) { d.height = -16385; }, FORMAT},
        {[](Dib& d) { d.bitCount = 7; }, FORMAT},
        {[](Dib& d) { d.bitCount = 8; d.usedColours = 300; d.palette = Grey256(); }, FORMAT},
        // More entries than four bits can index.
        {[](Dib& d) { d.bitCount = 4; d.usedColours = 17; d.palette.assign(17, 0); }, FORMAT},
        // A compression the converter does not know, and RLE8 on a 24-bit file.
        {[](Dib& d) { d.compression = 4; }, CONVERSION},
        {[](Dib& d) { d.compression = 1; }, CONVERSION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(&c - cases));
        Dib d = good;
        c.change(d);
        ExpectRejected(d, c.message);
    }
}

TEST_F(DibImage, TruncatedAndLyingFilesAreRejectedBeforeReading)
{
    Dib d;
    d.width = 5;
    d.height = 3;
    d.bits = std::string(47, '\x10');  // 3 rows of 16 bytes need 48
    ExpectRejected(d, "Image file conversion error.");

    // Width x height x 3 would overflow 32 bits; the file holds almost nothing.
    d.width = 16384;
    d.height = 16384;
    d.bits = std::string(64, '\x10');
    ExpectRejected(d, "Image file conversion error.");

    // A bits offset beyond the end of the file.
    d = Dib();
    d.bits = std::string(4, '\x10');
    d.bitsOffsetOverride = 4000;
    ExpectRejected(d, "Image file conversion error.");

    // A colour table that would run past the file.
    d = Dib();
    d.bitCount = 8;
    d.palette.assign(4, 0);
    d.fileHeader = false;
    ExpectRejected(d, "Unknown DIB file format.");
}

TEST_F(DibImage, ShortFilesAndMissingFiles)
{
    const std::string full = Dib().Bytes();
    for (size_t cut : {size_t(0), size_t(1), size_t(10), size_t(16), size_t(30), size_t(53)}) {
        g_shown = Shown();
        EXPECT_EQ(Load(full.substr(0, cut)), nullptr) << cut;
        EXPECT_EQ(g_shown.text, "Unknown DIB file format.") << cut;
    }
    g_shown = Shown();
    const std::string missing = ::testing::TempDir() + "no_such_picture.res";
    EXPECT_EQ(auxDIBImageLoadA(missing.c_str()), nullptr);
    EXPECT_EQ(g_shown.text, "Failed to open DIB file " + missing + ".\n");
    EXPECT_EQ(g_shown.caption, "Error");
}

// Paths that open as no file, or fail while reading, give the missing file's
// message and never throw or wait.
TEST_F(DibImage, UnreadablePathsGiveTheFailedToOpenMessage)
{
    const std::string folder = m_path + ".d";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    const std::string pipe = m_path + ".fifo";  // no writer: opening it must not block
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string vanished = m_path + ".link";  // the file behind the link is gone
    ASSERT_EQ(symlink((m_path + ".gone").c_str(), vanished.c_str()), 0);
    // Reading a process's own memory from address 0 fails with EIO.
    for (const std::string& path : {folder, pipe, vanished, std::string("/proc/self/mem")}) {
        g_shown = Shown();
        EXPECT_EQ(auxDIBImageLoadA(path.c_str()), nullptr) << path;
        EXPECT_EQ(g_shown.count, 1) << path;
        EXPECT_EQ(g_shown.text, "Failed to open DIB file " + path + ".\n");
        EXPECT_EQ(g_shown.caption, "Error");
    }
    rmdir(folder.c_str());
    unlink(pipe.c_str());
    unlink(vanished.c_str());
}

// A picture larger than 4096 x 4096 pixels is refused before its pixels are
// allocated, however small its file; one at the limit is still read.
TEST_F(DibImage, OversizedPicturesAreRefusedBeforeDecoding)
{
    const std::string tooLarge = "Picture too large (more than 4096 x 4096 pixels): " + m_path + ".\n";
    Dib d;
    d.width = 16384;
    d.height = 16384;
    d.bitCount = 8;
    d.compression = 1;
    d.palette = Grey256();
    d.bits = std::string("\x00\x01", 2);  // end of bitmap at once
    ASSERT_LT(d.Bytes().size(), 1100u);
    ExpectRejected(d, tooLarge.c_str());

    d.width = 4097;
    d.height = 4096;
    ExpectRejected(d, tooLarge.c_str());
    Dib whole = d;  // an uncompressed top-down file that holds all its bits
    whole.width = 8192;
    whole.height = -2049;
    whole.bitCount = 1;
    whole.compression = 0;
    whole.palette = {0, 0xFFFFFF};
    whole.bits = std::string(8192 / 8 * 2049, '\x07');
    ExpectRejected(whole, tooLarge.c_str());

    d.width = 4096;
    d.height = 4096;
    d.bits = std::string("\x02\x09\x00\x01", 4);  // two pixels of index 9, then the end
    g_shown = Shown();
    const Picture p = Load(d.Bytes());
    ASSERT_TRUE(p);
    EXPECT_EQ(g_shown.count, 0);
    EXPECT_EQ(p->sizeX, 4096);
    EXPECT_EQ(p->sizeY, 4096);
    EXPECT_EQ(p->data[3], 9);

    // A file larger than any such picture is not even read whole.
    {
        std::ofstream(m_path, std::ios::binary) << Dib().Bytes();
    }
    ASSERT_EQ(truncate(m_path.c_str(), 80 << 20), 0);  // sparse: no real 80 MB written
    g_shown = Shown();
    EXPECT_EQ(auxDIBImageLoadA(m_path.c_str()), nullptr);
    EXPECT_EQ(g_shown.text, tooLarge);
}

}  // namespace

namespace {

// Damaged copies of valid files: every outcome is a picture of the stated
// size or a refusal, never a read outside the file (the sanitizer build checks).
TEST_F(DibImage, DamagedFilesNeverReadOutsideTheData)
{
    Dib palette;
    palette.width = 7;
    palette.height = 3;
    palette.bitCount = 8;
    palette.palette = Grey256();
    palette.bits = std::string(24, '\x05');
    Dib rle = palette;
    rle.compression = 1;
    rle.bits = std::string("\x05\x01\x00\x04\x01\x02\x03\x04\x00\x00\x00\x02\x03\x01\x07\x09\x00\x01", 18);
    uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    for (const Dib* base : {&palette, &rle}) {
        const std::string good = base->Bytes();
        for (int round = 0; round < 600; ++round) {
            std::string bytes = good;
            const int flips = 1 + next() % 4;
            for (int f = 0; f < flips; ++f) bytes[next() % bytes.size()] = static_cast<char>(next() >> 16);
            if (round % 5 == 0) bytes.resize(next() % bytes.size());
            const Picture p = Load(bytes);
            if (p) {
                ASSERT_GT(p->sizeX, 0);
                ASSERT_GT(p->sizeY, 0);
                ASSERT_LE(p->sizeX, 16384);
                ASSERT_LE(p->sizeY, 16384);
            }
        }
    }
}

}  // namespace
