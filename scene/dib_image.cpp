#include "scene/dib_image.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/strings.h"

int (*g_pictureMessageBox)(void*, const char*, const char*, UINT) = MessageBoxA;

namespace {

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr int64_t MAX_SIDE = 16384;
// No picture of the program comes near these: the largest is the 1024 x 1024
// board texture. A larger one (a run-length file of a few bytes may declare
// 16384 x 16384) is refused before any pixel memory is taken.
constexpr int64_t MAX_PIXELS = 4096 * 4096;
// The largest file such a picture can need: 4 bytes a pixel (32 bits, or the
// row padding of one-pixel rows) plus headers and colour table, with room.
constexpr size_t MAX_FILE_BYTES = 4 * MAX_PIXELS + (1 << 20);
const char* const TOO_LARGE_TEXT = "Picture too large (more than 4096 x 4096 pixels): %s.\n";

enum class Failure { None, Format, Conversion, Memory };

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
int32_t I32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

// One colour channel of a bit-field pixel: where it sits and how wide it is.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m = 0) : mask(m)
    {
        if (mask == 0) return;
        while (((mask >> shift) & 1u) == 0) ++shift;
        max = mask >> shift;
    }
    uint8_t Get(uint32_t pixel) const
    {
        if (max == 0) return 0;
        const uint64_t v = (pixel & mask) >> shift;
        return static_cast<uint8_t>((v * 255 + max / 2) / max);
    }
};

// Everything the headers say, checked against the file before any pixel is read.
struct Layout {
    int64_t width = 0;
    int64_t height = 0;      // always positive; topDown tells the row order
    bool topDown = false;
    unsigned bitCount = 0;
    uint32_t compression = BI_RGB;
    uint64_t bitsOffset = 0;
    uint64_t bitsSize = 0;   // bytes of pixel data available from bitsOffset
    std::vector<Rgb> palette;
    Channel red, green, blue;
};

Failure ParseLayout(const std::string& file, Layout& out)
{
    const uint64_t size = file.size();
    const uint8_t* p = reinterpret_cast<const uint8_t*>(file.data());
    uint64_t headerAt = 0;
    bool hasFileHeader = size >= 2 && p[0] == 'B' && p[1] == 'M';
    if (hasFileHeader) {
        if (size < 14) return Failure::Format;
        headerAt = 14;
    }
    if (size < headerAt + 4) return Failure::Format;
    const uint32_t headerSize = U32(p + headerAt);
    if (headerSize != 12 && headerSize != 40) return Failure::Format;
    if (size < headerAt + headerSize) return Failure::Format;

    const uint8_t* h = p + headerAt;
    unsigned planes;
    uint32_t usedColours = 0;
    uint64_t entrySize;
    if (headerSize == 12) {
        out.width = U16(h + 4);
        out.height = U16(h + 6);
        planes = U16(h + 8);
        out.bitCount = U16(h + 10);
        out.compression = BI_RGB;
        entrySize = 3;
    } else {
        out.width = I32(h + 4);
        out.height = I32(h + 8);
        planes = U16(h + 12);
        out.bitCount = U16(h + 14);
        out.compression = U32(h + 16);
        usedColours = U32(h + 32);
        entrySize = 4;
    }
    if (planes != 1) return Failure::Format;
    if (out.height < 0) {
        out.topDown = true;
        out.height = -out.height;
    }
    if (out.width <= 0 || out.width > MAX_SIDE || out.height == 0 || out.height > MAX_SIDE)
        return Failure::Format;
    const unsigned bc = out.bitCount;
    if (bc != 1 && bc != 4 && bc != 8 && bc != 16 && bc != 24 && bc != 32) return Failure::Format;

    // Compressions the converter knows, each for its own depth; RLE is bottom-up only.
    switch (out.compression) {
    case BI_RGB: break;
    case BI_RLE8: if (bc != 8 || out.topDown) return Failure::Conversion; break;
    case BI_RLE4: if (bc != 4 || out.topDown) return Failure::Conversion; break;
    case BI_BITFIELDS: if (bc != 16 && bc != 32) return Failure::Conversion; break;
    default: return Failure::Conversion;
    }

    uint64_t tableAt = headerAt + headerSize;
    if (out.compression == BI_BITFIELDS) {
        if (size < tableAt + 12) return Failure::Format;
        out.red = Channel(U32(p + tableAt));
        out.green = Channel(U32(p + tableAt + 4));
        out.blue = Channel(U32(p + tableAt + 8));
        tableAt += 12;
    } else if (bc == 16) {
        out.red = Channel(0x7C00);
        out.green = Channel(0x03E0);
        out.blue = Channel(0x001F);
    } else if (bc == 32) {
        out.red = Channel(0x00FF0000);
        out.green = Channel(0x0000FF00);
        out.blue = Channel(0x000000FF);
    }

    uint64_t entries = usedColours;
    if (entries == 0 && bc <= 8) entries = uint64_t(1) << bc;
    if (entries > 256 || (bc <= 8 && entries > (uint64_t(1) << bc))) return Failure::Format;
    const uint64_t tableEnd = tableAt + entries * entrySize;
    if (tableEnd > size) return Failure::Format;
    if (bc <= 8) {
        out.palette.resize(entries);
        for (uint64_t i = 0; i < entries; ++i) {
            const uint8_t* e = p + tableAt + i * entrySize;
            out.palette[i] = Rgb{e[2], e[1], e[0]};
        }
    }

    out.bitsOffset = hasFileHeader ? U32(p + 10) : tableEnd;
    if (out.bitsOffset > size) return Failure::Conversion;
    if (out.compression == BI_RLE8 || out.compression == BI_RLE4) {
        uint64_t available = size - out.bitsOffset;
        const uint32_t imageSize = headerSize == 40 ? U32(h + 20) : 0;
        out.bitsSize = (imageSize != 0 && imageSize < available) ? imageSize : available;
    } else {
        const uint64_t stride = ((uint64_t(bc) * uint64_t(out.width) + 31) / 32) * 4;
        out.bitsSize = stride * uint64_t(out.height);
        if (out.bitsOffset + out.bitsSize > size) return Failure::Conversion;
    }
    return Failure::None;
}

class Output {
public:
    Output(const Layout& layout, uint8_t* data) : m_layout(layout), m_data(data) {}

    // Row r counts the rows in file order; the output keeps the bottom row first.
    void Put(int64_t fileRow, int64_t x, Rgb c)
    {
        if (x < 0 || x >= m_layout.width || fileRow < 0 || fileRow >= m_layout.height) return;
        const int64_t row = m_layout.topDown ? m_layout.height - 1 - fileRow : fileRow;
        uint8_t* d = m_data + (row * m_layout.width + x) * 3;
        d[0] = c.r;
        d[1] = c.g;
        d[2] = c.b;
    }
    void PutIndex(int64_t fileRow, int64_t x, unsigned index)
    {
        Put(fileRow, x, index < m_layout.palette.size() ? m_layout.palette[index] : Rgb{});
    }

private:
    const Layout& m_layout;
    uint8_t* m_data;
};

void DecodeUncompressed(const uint8_t* bits, const Layout& l, Output& out)
{
    const uint64_t stride = ((uint64_t(l.bitCount) * uint64_t(l.width) + 31) / 32) * 4;
    for (int64_t row = 0; row < l.height; ++row) {
        const uint8_t* r = bits + row * stride;
        for (int64_t x = 0; x < l.width; ++x) {
            switch (l.bitCount) {
            case 1: out.PutIndex(row, x, (r[x / 8] >> (7 - x % 8)) & 1); break;
            case 4: out.PutIndex(row, x, (r[x / 2] >> (x % 2 ? 0 : 4)) & 15); break;
            case 8: out.PutIndex(row, x, r[x]); break;
            case 16: {
                const uint32_t v = U16(r + x * 2);
                out.Put(row, x, Rgb{l.red.Get(v), l.green.Get(v), l.blue.Get(v)});
                break;
            }
            case 24: out.Put(row, x, Rgb{r[x * 3 + 2], r[x * 3 + 1], r[x * 3]}); break;
            case 32: {
                const uint32_t v = U32(r + x * 4);
                out.Put(row, x, Rgb{l.red.Get(v), l.green.Get(v), l.blue.Get(v)});
                break;
            }
            }
        }
    }
}

// Run-length decoding of RLE8 and RLE4. Pixels the stream skips stay black;
// pixels beyond the row or the image are dropped. A stream that runs past its
// data is a conversion failure.
bool DecodeRle(const uint8_t* bits, const Layout& l, Output& out)
{
    const bool four = l.compression == BI_RLE4;
    uint64_t at = 0;
    const uint64_t end = l.bitsSize;
    int64_t x = 0, row = 0;
    auto next = [&](uint8_t& v) {
        if (at >= end) return false;
        v = bits[at++];
        return true;
    };
    while (row < l.height) {
        uint8_t count, value;
        if (!next(count) || !next(value)) return false;
        if (count > 0) {
            for (int i = 0; i < count; ++i, ++x) {
                const unsigned index = four ? ((i % 2 == 0) ? value >> 4 : value & 15) : value;
                out.PutIndex(row, x, index);
            }
            continue;
        }
        if (value == 0) {            // end of line
            x = 0;
            ++row;
        } else if (value == 1) {     // end of bitmap
            return true;
        } else if (value == 2) {     // delta
            uint8_t dx, dy;
            if (!next(dx) || !next(dy)) return false;
            x += dx;
            row += dy;
        } else {                     // literal run of value pixels, padded to 16 bits
            const unsigned n = value;
            const uint64_t bytes = four ? (n + 1) / 2 : n;
            if (at + bytes > end) return false;
            for (unsigned i = 0; i < n; ++i, ++x) {
                const uint8_t b = bits[at + (four ? i / 2 : i)];
                out.PutIndex(row, x, four ? ((i % 2 == 0) ? b >> 4 : b & 15) : b);
            }
            at += bytes + (bytes % 2);
        }
    }
    return true;
}

void Report(const char* text)
{
    g_pictureMessageBox(nullptr, text, "Error", MB_OK);
}

CString WithPath(const char* format, const char* path)
{
    CString text;
    text.Format(format, path);
    return text;
}

}  // namespace

AUX_RGBImageRec* ReadDibImage(const char* path, CString* failure)
{
    auto fail = [failure](const char* text) -> AUX_RGBImageRec* {
        if (failure) *failure = text;
        return nullptr;
    };
    std::string file;
    const FileRead read = path ? ReadWholeFileBytes(path, file, MAX_FILE_BYTES) : FileRead::Failed;
    if (read == FileRead::TooLarge) return fail(WithPath(TOO_LARGE_TEXT, path));
    if (read != FileRead::Read) return fail(WithPath("Failed to open DIB file %s.\n", path ? path : ""));

    Layout layout;
    switch (ParseLayout(file, layout)) {
    case Failure::None: break;
    case Failure::Format: return fail("Unknown DIB file format.");
    default: return fail("Image file conversion error.");
    }
    if (layout.width * layout.height > MAX_PIXELS) return fail(WithPath(TOO_LARGE_TEXT, path));

    const uint64_t bytes = uint64_t(layout.width) * uint64_t(layout.height) * 3;
    uint8_t* data = static_cast<uint8_t*>(std::calloc(bytes, 1));
    auto* record = static_cast<AUX_RGBImageRec*>(std::malloc(sizeof(AUX_RGBImageRec)));
    if (data == nullptr || record == nullptr) {
        std::free(data);
        std::free(record);
        return fail("Out of memory.");
    }

    Output out(layout, data);
    const uint8_t* bits = reinterpret_cast<const uint8_t*>(file.data()) + layout.bitsOffset;
    bool converted = true;
    if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4)
        converted = DecodeRle(bits, layout, out);
    else
        DecodeUncompressed(bits, layout, out);
    if (!converted) {
        std::free(data);
        std::free(record);
        return fail("Image file conversion error.");
    }

    record->sizeX = static_cast<int>(layout.width);
    record->sizeY = static_cast<int>(layout.height);
    record->data = data;
    return record;
}

AUX_RGBImageRec* auxDIBImageLoadA(const char* path)
{
    CString failure;
    AUX_RGBImageRec* image = ReadDibImage(path, &failure);
    if (image == nullptr) Report(failure);
    return image;
}
