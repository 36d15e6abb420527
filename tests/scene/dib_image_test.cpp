// The picture reader on small bitmaps made here byte by byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#include "scene/dib_image.h"
#include "tests/support/scene_files.h"
#include "tests/support/temp_folder.h"

namespace {

struct Shown {
    std::string text, caption;
    int count = 0;
};
Shown g_shown;

// Bytes written as a string literal, the zeros inside included.
std::string operator""_bytes(const char* text, size_t size) { return std::string(text, size); }

void Put16(std::string& s, uint32_t v) { s += char(v & 255); s += char((v >> 8) & 255); }
void Put32(std::string& s, uint32_t v) { Put16(s, v & 0xFFFF); Put16(s, v >> 16); }

// A bitmap description; Bytes() lays it out as a file.
struct Dib {
    Dib(int32_t w = 1, int32_t h = 1, uint16_t bitsPerPixel = 24, std::string data = "",
        std::vector<uint32_t> colours = {}, uint32_t compressed = 0, std::vector<uint32_t> fields = {})
        : width(w), height(h), bitCount(bitsPerPixel), bits(std::move(data)), palette(std::move(colours)),
          compression(compressed), masks(std::move(fields))
    {
    }

    int32_t width, height;
    uint16_t bitCount;
    std::string bits;
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    uint32_t compression;
    std::vector<uint32_t> masks;    // bit fields, when given
    int headerSize = 40;
    uint32_t sizeImage = 0, usedColours = 0;
    uint16_t planes = 1;
    bool fileHeader = true;
    int64_t bitsOffsetOverride = -1;

    std::string Bytes() const
    {
        std::string header;
        const bool core = headerSize == 12;  // 16-bit sides, three-byte colour entries
        Put32(header, static_cast<uint32_t>(headerSize));
        (core ? Put16 : Put32)(header, static_cast<uint32_t>(width));
        (core ? Put16 : Put32)(header, static_cast<uint32_t>(height));
        Put16(header, planes);
        Put16(header, bitCount);
        if (!core) {
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
            header.append({char(c & 255), char((c >> 8) & 255), char((c >> 16) & 255)});
            if (!core) header += char(0);
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

// Entry i is red i, green 255 - i, blue i / 2.
std::vector<uint32_t> Grey256()
{
    std::vector<uint32_t> p;
    for (uint32_t i = 0; i < 256; ++i) p.push_back(i << 16 | (255 - i) << 8 | (i / 2));
    return p;
}

const char* const FORMAT = "Unknown DIB file format.";
const char* const CONVERSION = "Image file conversion error.";

class DibImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_pictureMessageBox = [](void*, const char* text, const char* caption, UINT) {
            g_shown = Shown{text, caption, g_shown.count + 1};
            return 1;
        };
        g_shown = Shown();
        ASSERT_FALSE(m_folder.Path().empty());
    }

    void Write(const std::string& bytes) { WriteFileText(m_path, bytes); }
    Picture Load(const std::string& bytes)
    {
        Write(bytes);
        return Picture(auxDIBImageLoadA(m_path.c_str()));
    }
    // The RGB bytes of a loaded picture, bottom row first.
    static std::vector<int> Rgb(const Picture& p)
    {
        return std::vector<int>(p->data, p->data + p->sizeX * p->sizeY * 3);
    }
    // The reader gives no picture for path and shows one box with the message.
    static void ExpectRefused(const std::string& path, const std::string& message)
    {
        g_shown = Shown();
        EXPECT_EQ(Picture(auxDIBImageLoadA(path.c_str())), nullptr) << path;
        EXPECT_EQ(g_shown.count, 1) << path;
        EXPECT_EQ(g_shown.text, message) << path;
        EXPECT_EQ(g_shown.caption, "Error") << path;
    }
    void ExpectRejected(const Dib& d, const std::string& message)
    {
        Write(d.Bytes());
        ExpectRefused(m_path, message);
    }

    TempFolder m_folder{"velmonar-dib"};
    const std::string m_path = m_folder.Path() + "/picture.res";
};

// Every layout the reader knows, read with and without the file header.
TEST_F(DibImage, EveryLayoutDecodesToTheSameRgbWithAndWithoutFileHeader)
{
    const auto core = [] {
        Dib d{3, 1, 4, "\x1F\x20\x00\x00"_bytes};
        d.headerSize = 12;  // three-byte colour entries
        for (uint32_t i = 0; i < 16; ++i) d.palette.push_back(i * 16 << 16 | i << 8 | (15 - i));
        return d;
    }();
    const auto rle8 = [] {
        // Row 0: run of 3 x index 5, literal 7 8 9 (padded); row 1: delta 2 right, 1 x index 200; end.
        Dib d{6, 2, 8, "\x03\x05\x00\x03\x07\x08\x09\x00\x00\x00\x00\x02\x02\x00\x01\xC8\x00\x01"_bytes, Grey256(), 1};
        d.sizeImage = static_cast<uint32_t>(d.bits.size());
        return d;
    }();
    const auto rle4 = [] {
        Dib d{6, 1, 4, "\x03\x12\x00\x03\x34\x50\x00\x01"_bytes, {}, 2};  // run 1 2 1, literal 3 4 5, end
        for (uint32_t i = 0; i < 16; ++i) d.palette.push_back(i << 16);
        return d;
    }();
    const struct {
        const char* what;
        Dib dib;
        std::vector<int> rgb;
    } cases[] = {
        {"8 bits, bottom row then top row", {3, 2, 8, "\x01\x02\x03\x00\x10\x20\xFF\x00"_bytes, Grey256()},
         {1, 254, 0, 2, 253, 1, 3, 252, 1, 16, 239, 8, 32, 223, 16, 255, 0, 127}},
        {"24 bits: the padding byte of each row does not show",
         {5, 2, 24,
          "\x00\x00\x64\x01\x00\x65\x02\x00\x66\x03\x00\x67\x04\x00\x68\x7E"
          "\x00\x0A\x64\x01\x0A\x65\x02\x0A\x66\x03\x0A\x67\x04\x0A\x68\x7E"_bytes},
         {100, 0, 0, 101, 0, 1, 102, 0, 2, 103, 0, 3, 104, 0, 4,
          100, 10, 0, 101, 10, 1, 102, 10, 2, 103, 10, 3, 104, 10, 4}},
        {"core header, 4 bits from sixteen three-byte entries", core, {16, 1, 14, 240, 15, 0, 32, 2, 13}},
        // The output keeps the bottom row first: the stored top row comes second.
        {"1 bit, top row stored first", {10, -2, 1, "\x80\x40\x00\x00\x00\x00\x00\x00"_bytes, {0x000000, 0xFFFFFF}},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
          255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255}},
        {"24 bits, top row stored first", {1, -2, 24, "\x01\x02\x03\x00\x04\x05\x06\x00"_bytes}, {6, 5, 4, 3, 2, 1}},
        // The squares the delta skips, and those after the end, stay black.
        {"RLE8 runs, literals and a delta", rle8,
         {5, 250, 2, 5, 250, 2, 5, 250, 2, 7, 248, 3, 8, 247, 4, 9, 246, 4,
          0, 0, 0, 0, 0, 0, 200, 55, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"RLE4", rle4, {1, 0, 0, 2, 0, 0, 1, 0, 0, 3, 0, 0, 4, 0, 0, 5, 0, 0}},
        {"16 bits 5-5-5: pure red, pure blue", {2, 1, 16, "\x00\x7C\x1F\x00"_bytes}, {255, 0, 0, 0, 0, 255}},
        {"16 bits 5-6-5 fields: pure green; (16, 32, 16) of (31, 63, 31)",
         {2, 1, 16, "\xE0\x07\x10\x84"_bytes, {}, 3, {0xF800, 0x07E0, 0x001F}}, {0, 255, 0, 132, 130, 132}},
        {"32 bits", {1, 1, 32, "\x11\x22\x33\x44"_bytes}, {0x33, 0x22, 0x11}},
        {"32 bits, fields", {1, 1, 32, "\x11\x22\x33\x44"_bytes, {}, 3, {0x0000FF, 0x00FF00, 0xFF0000}},
         {0x11, 0x22, 0x33}},
    };
    for (const auto& c : cases) {
        Dib d = c.dib;
        for (bool header : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.what << (header ? "" : ", no file header"));
            d.fileHeader = header;
            const Picture p = Load(d.Bytes());
            ASSERT_TRUE(p);
            EXPECT_EQ(p->sizeX, d.width);
            EXPECT_EQ(p->sizeY, std::abs(d.height));
            EXPECT_EQ(Rgb(p), c.rgb);
            EXPECT_EQ(g_shown.count, 0);
        }
    }
}

TEST_F(DibImage, RejectedHeadersAndDataShowTheirMessage)
{
    const Dib good{2, 2, 24, std::string(16, '\x40')};
    ASSERT_TRUE(Load(good.Bytes()));

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
        // A colour table that would run past the file.
        {[](Dib& d) { d = Dib{1, 1, 8, "", std::vector<uint32_t>(4, 0)}; d.fileHeader = false; }, FORMAT},
        // A compression the converter does not know, and RLE8 on a 24-bit file.
        {[](Dib& d) { d.compression = 4; }, CONVERSION},
        {[](Dib& d) { d.compression = 1; }, CONVERSION},
        // Truncated or lying files are refused before reading: 3 rows of 16 bytes need 48.
        {[](Dib& d) { d = Dib{5, 3, 24, std::string(47, '\x10')}; }, CONVERSION},
        // Width x height x 3 would overflow 32 bits; the file holds almost nothing.
        {[](Dib& d) { d = Dib{16384, 16384, 24, std::string(64, '\x10')}; }, CONVERSION},
        {[](Dib& d) { d.bitsOffsetOverride = 4000; }, CONVERSION},  // beyond the end of the file
        // A run-length stream that ends inside a literal run reads nothing past the data.
        {[](Dib& d) { d = Dib{6, 2, 8, "\x00\x09\x01\x02"_bytes, Grey256(), 1}; d.sizeImage = 4; }, CONVERSION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(&c - cases));
        Dib d = good;
        c.change(d);
        ExpectRejected(d, c.message);
    }
}

// Short files; paths that open as no file, or fail while reading, give the
// missing file's message and never throw or wait.
TEST_F(DibImage, ShortFilesMissingFilesAndUnreadablePaths)
{
    const std::string full = Dib().Bytes();
    for (size_t cut : {size_t(0), size_t(1), size_t(10), size_t(16), size_t(30), size_t(53)}) {
        Write(full.substr(0, cut));
        ExpectRefused(m_path, FORMAT);
    }
    const std::string folder = m_folder.Path() + "/folder";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    const std::string pipe = m_folder.Path() + "/fifo";  // no writer: opening it must not block
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string vanished = m_folder.Path() + "/link";  // the file behind the link is gone
    ASSERT_EQ(symlink((m_folder.Path() + "/gone").c_str(), vanished.c_str()), 0);
    // Reading a process's own memory from address 0 fails with EIO.
    for (const std::string& path : {m_folder.Path() + "/no_such_picture.res", folder, pipe, vanished,
                                    std::string("/proc/self/mem")})
        ExpectRefused(path, "Failed to open DIB file " + path + ".\n");
}

// A picture larger than 4096 x 4096 pixels is refused before its pixels are
// allocated, however small its file; one at the limit is still read.
TEST_F(DibImage, OversizedPicturesAreRefusedBeforeDecoding)
{
    const std::string tooLarge = "Picture too large (more than 4096 x 4096 pixels): " + m_path + ".\n";
    Dib d{16384, 16384, 8, "\x00\x01"_bytes, Grey256(), 1};  // end of bitmap at once
    ASSERT_LT(d.Bytes().size(), 1100u);
    ExpectRejected(d, tooLarge);
    d.width = 4097;
    d.height = 4096;
    ExpectRejected(d, tooLarge);
    // An uncompressed top-down file that holds all its bits.
    ExpectRejected(Dib{8192, -2049, 1, std::string(8192 / 8 * 2049, '\x07'), {0, 0xFFFFFF}}, tooLarge);

    d.width = 4096;
    d.bits = "\x02\x09\x00\x01"_bytes;  // two pixels of index 9, then the end
    g_shown = Shown();
    const Picture p = Load(d.Bytes());
    ASSERT_TRUE(p);
    EXPECT_EQ(g_shown.count, 0);
    EXPECT_EQ(p->sizeX, 4096);
    EXPECT_EQ(p->sizeY, 4096);
    EXPECT_EQ(p->data[3], 9);

    // A file larger than any such picture is not even read whole.
    Write(Dib().Bytes());
    ASSERT_EQ(truncate(m_path.c_str(), 80 << 20), 0);  // sparse: no real 80 MB written
    ExpectRefused(m_path, tooLarge);
}

// Damaged copies of valid files: every outcome is a picture of the stated
// size or a refusal, never a read outside the file (the sanitizer build checks).
TEST_F(DibImage, DamagedFilesNeverReadOutsideTheData)
{
    const Dib palette{7, 3, 8, std::string(24, '\x05'), Grey256()};
    const Dib rle{7, 3, 8, "\x05\x01\x00\x04\x01\x02\x03\x04\x00\x00\x00\x02\x03\x01\x07\x09\x00\x01"_bytes,
                  Grey256(), 1};
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
            ASSERT_TRUE(!p || (p->sizeX > 0 && p->sizeY > 0 && p->sizeX <= 16384 && p->sizeY <= 16384)) << round;
        }
    }
}

}  // namespace
