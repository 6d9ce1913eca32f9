#include "Editor/Bitmap.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace
{

constexpr std::size_t k_fileHeaderSize = 14;
constexpr std::uint32_t k_minInfoHeaderSize = 40;
constexpr std::uint32_t k_maskedInfoHeaderSize = 108;
constexpr unsigned k_magic = 0x4D42;  // "BM"
// Where the information header's fields and the bit-field masks are.
constexpr std::size_t k_widthAt = 18;
constexpr std::size_t k_heightAt = 22;
constexpr std::size_t k_bitsAt = 28;
constexpr std::size_t k_compressionAt = 30;
constexpr std::size_t k_coloursUsedAt = 46;
constexpr std::size_t k_masksAt = 54;
// The alpha mask is part of headers of at least this size.
constexpr std::uint32_t k_alphaMaskHeaderSize = 56;

enum Compression : unsigned
{
    k_uncompressed = 0,
    k_runLength8 = 1,
    k_runLength4 = 2,
    k_bitFields = 3
};

// Bounds-checked little-endian reads; absent bytes read as 0.
class Bytes
{
public:
    Bytes(const unsigned char* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t size() const { return m_size; }
    bool has(std::size_t offset, std::size_t count) const { return offset <= m_size && count <= m_size - offset; }
    unsigned at(std::size_t offset) const { return has(offset, 1) ? m_data[offset] : 0; }
    std::uint32_t u16(std::size_t offset) const { return at(offset) | (at(offset + 1) << 8); }
    std::uint32_t u32(std::size_t offset) const { return u16(offset) | (u16(offset + 2) << 16); }
    const unsigned char* data(std::size_t offset) const { return m_data + offset; }

private:
    const unsigned char* m_data;
    std::size_t m_size;
};

using Rgba = std::array<unsigned char, 4>;
using Palette = std::array<Rgba, 256>;

// The colour table after the information header. Tables whose reserved bytes are all zero, as
// nearly every writer leaves them, hold opaque colours; otherwise the reserved byte is the
// colour's alpha. Entries the file lacks are black.
Palette ReadPalette(const Bytes& file, std::size_t offset, int bitsPerPixel, std::uint32_t coloursUsed)
{
    Palette palette{};
    if (bitsPerPixel > 8)
    {
        return palette;
    }
    const std::uint32_t capacity = 1u << bitsPerPixel;
    const std::uint32_t count = coloursUsed > 0 && coloursUsed < capacity ? coloursUsed : capacity;
    bool translucent = false;
    for (std::uint32_t i = 0; i < count && file.has(offset + 4 * i, 4); ++i)
    {
        const unsigned char* entry = file.data(offset + 4 * i);
        palette[i] = Rgba{entry[2], entry[1], entry[0], entry[3]};
        translucent = translucent || palette[i][3] != 0;
    }
    if (!translucent)
    {
        for (Rgba& colour : palette)
        {
            colour[3] = 255;
        }
    }
    return palette;
}

// One channel of a bit-field layout.
struct Channel
{
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m) : mask(m), shift(m != 0 ? __builtin_ctz(m) : 0), bits(__builtin_popcount(m)) {}

    // The channel of `value` as 8 bits; narrow channels fill their low bits so that all ones
    // stays all ones.
    unsigned expand(std::uint32_t value) const
    {
        const std::uint32_t v = (value & mask) >> shift;
        if (bits >= 9)
        {
            return (v >> (bits - 8)) & 0xFF;
        }
        const unsigned widened = (v << (8 - bits)) & 0xFF;
        return widened != 0 ? widened | ((1u << (8 - bits)) - 1) : 0;
    }

    // An 8-bit channel value scaled to this channel and put in place; wide channels fill their
    // low bits as expand does.
    std::uint32_t narrow(unsigned byte) const
    {
        if (bits == 0)
        {
            return 0;
        }
        std::uint64_t v = bits < 8 ? byte >> (8 - bits) : static_cast<std::uint64_t>(byte) << (bits - 8);
        if (bits > 8 && v != 0)
        {
            v |= (std::uint64_t(1) << (bits - 8)) - 1;
        }
        return static_cast<std::uint32_t>((v << shift) & mask);
    }
};

// The decoded picture: rows are numbered in file order and stored bottom row first.
struct Picture
{
    unsigned char* pixels;
    std::int64_t width;
    std::int64_t height;
    bool topDown;

    void put(std::int64_t fileRow, std::int64_t column, const Rgba& colour) const
    {
        if (fileRow < 0 || fileRow >= height || column < 0 || column >= width)
        {
            return;
        }
        const std::int64_t row = topDown ? height - 1 - fileRow : fileRow;
        std::memcpy(pixels + 4 * (row * width + column), colour.data(), 4);
    }
};

struct Layout
{
    int bitsPerPixel;
    unsigned compression;
    Palette palette;
    Channel red;
    Channel green;
    Channel blue;
    Channel alpha;
};

// Pixel x of a row of uncompressed or bit-field data that holds it.
Rgba PixelOf(const Layout& layout, const unsigned char* row, std::int64_t x, bool opaque)
{
    switch (layout.bitsPerPixel)
    {
    case 1:
        return layout.palette[(row[x / 8] >> (7 - x % 8)) & 1];
    case 4:
        return layout.palette[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F];
    case 8:
        return layout.palette[row[x]];
    case 24:
    {
        const unsigned char* p = row + 3 * x;
        return Rgba{p[2], p[1], p[0], 255};
    }
    default:
        break;
    }
    const bool wide = layout.bitsPerPixel == 32;
    const unsigned char* p = row + (wide ? 4 : 2) * x;
    const std::uint32_t value = p[0] | (p[1] << 8) | (wide ? p[2] << 16 | std::uint32_t(p[3]) << 24 : 0);
    if (layout.compression == k_bitFields)
    {
        const unsigned alpha = layout.alpha.mask != 0 ? layout.alpha.expand(value) : 255;
        return Rgba{static_cast<unsigned char>(layout.red.expand(value)),
                    static_cast<unsigned char>(layout.green.expand(value)),
                    static_cast<unsigned char>(layout.blue.expand(value)), static_cast<unsigned char>(alpha)};
    }
    if (wide)
    {
        return Rgba{p[2], p[1], p[0], opaque ? static_cast<unsigned char>(255) : p[3]};
    }
    return Rgba{static_cast<unsigned char>((value >> 7) & 0xF8), static_cast<unsigned char>((value >> 2) & 0xF8),
                static_cast<unsigned char>((value << 3) & 0xFF), 255};
}

// Rows padded to 4 bytes, as many as the file holds; a row cut short by the end of the file
// gives the pixels it has. Returns whether any pixel had a non-zero fourth byte (which only
// 32-bit uncompressed pixels read as alpha).
bool DecodeRows(const Bytes& file, std::size_t offset, const Layout& layout, const Picture& picture, bool opaque)
{
    const std::size_t stride = (static_cast<std::size_t>(layout.bitsPerPixel) * picture.width + 31) / 32 * 4;
    const std::size_t pixelBytes = (layout.bitsPerPixel + 7) / 8;
    bool sawAlpha = false;
    for (std::int64_t row = 0; row < picture.height; ++row)
    {
        const std::size_t start = offset + static_cast<std::size_t>(row) * stride;
        if (!file.has(start, 1))
        {
            break;
        }
        const std::size_t available = std::min(stride, file.size() - start);
        for (std::int64_t x = 0; x < picture.width; ++x)
        {
            if (static_cast<std::size_t>(x) * layout.bitsPerPixel / 8 + pixelBytes > available)
            {
                break;
            }
            const Rgba colour = PixelOf(layout, file.data(start), x, opaque);
            sawAlpha = sawAlpha || colour[3] != 0;
            picture.put(row, x, colour);
        }
    }
    return sawAlpha;
}

// Run-length data: pairs of a count and a colour index (two alternating indices at 4 bits), or
// a zero count and an escape: end of row, end of picture, a jump, or a run of literal indices
// padded to a whole number of 16-bit words. Pixels outside the picture are dropped.
void DecodeRunLength(const Bytes& file, std::size_t p, const Layout& layout, const Picture& picture)
{
    const bool fourBit = layout.bitsPerPixel == 4;
    const auto indexOf = [fourBit](unsigned byte, unsigned k) {
        return fourBit ? (k % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte;
    };
    std::int64_t row = 0;
    std::int64_t column = 0;
    while (row < picture.height && file.has(p, 2))
    {
        const unsigned count = file.at(p);
        const unsigned value = file.at(p + 1);
        p += 2;
        if (count > 0)
        {
            for (unsigned k = 0; k < count; ++k)
            {
                picture.put(row, column + k, layout.palette[indexOf(value, k)]);
            }
            column += count;
        }
        else if (value == 0)
        {
            ++row;
            column = 0;
        }
        else if (value == 1)
        {
            return;
        }
        else if (value == 2)
        {
            if (!file.has(p, 2))
            {
                return;
            }
            column += file.at(p);
            row += file.at(p + 1);
            p += 2;
        }
        else
        {
            const std::size_t bytes = fourBit ? (value + 1) / 2 : value;
            for (unsigned k = 0; k < value; ++k)
            {
                const std::size_t at = p + (fourBit ? k / 2 : k);
                if (!file.has(at, 1))
                {
                    return;
                }
                picture.put(row, column + k, layout.palette[indexOf(file.at(at), k)]);
            }
            column += value;
            p += bytes + bytes % 2;
        }
        // Past the end of the row nothing is written until the next row, however far it goes.
        column = std::min(column, picture.width);
    }
}

bool IsSupported(int bitsPerPixel, unsigned compression)
{
    switch (compression)
    {
    case k_uncompressed:
        return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 16 ||
               bitsPerPixel == 24 || bitsPerPixel == 32;
    case k_runLength8:
        return bitsPerPixel == 8;
    case k_runLength4:
        return bitsPerPixel == 4;
    case k_bitFields:
        return bitsPerPixel == 16 || bitsPerPixel == 32;
    default:
        return false;
    }
}

}  // namespace

void CBitmap::FreeDeleter::operator()(unsigned char* p) const
{
    std::free(p);
}

bool CBitmap::Load(const char* filename)
{
    // Read in pieces rather than by the size the system reports, which need not be the number
    // of bytes there are (pipes, directories). Nothing a picture of the largest size can use
    // lies further out.
    const std::size_t longest = std::size_t(4) * k_maxSide * k_maxSide + (1 << 20);
    std::vector<unsigned char> bytes;
    if (filename != nullptr)
    {
        std::ifstream in(filename, std::ios::binary);
        char piece[1 << 16];
        while (in && bytes.size() < longest)
        {
            in.read(piece, sizeof(piece));
            bytes.insert(bytes.end(), piece, piece + in.gcount());
        }
    }
    return LoadFromMemory(bytes.data(), std::min(bytes.size(), longest));
}

bool CBitmap::LoadFromMemory(const unsigned char* data, std::size_t size, int maxSide)
{
    m_pixels.reset();
    m_width = 0;
    m_height = 0;
    const Bytes file(data, data != nullptr ? size : 0);
    if (!file.has(0, k_fileHeaderSize + k_minInfoHeaderSize) || file.u16(0) != k_magic)
    {
        return false;
    }
    const std::uint32_t pixelOffset = file.u32(10);
    const std::uint32_t headerSize = file.u32(k_fileHeaderSize);
    // Widened before the sign goes, so that the most negative height has a magnitude too.
    const std::int64_t width = std::llabs(static_cast<std::int32_t>(file.u32(k_widthAt)));
    const std::int64_t signedHeight = static_cast<std::int32_t>(file.u32(k_heightAt));
    const std::int64_t height = std::llabs(signedHeight);
    const int bitsPerPixel = static_cast<int>(file.u16(k_bitsAt));
    const unsigned compression = file.u32(k_compressionAt);
    const std::int64_t largest = std::min(maxSide, k_maxSide);
    if (headerSize < k_minInfoHeaderSize || !file.has(k_fileHeaderSize, headerSize) || width == 0 || height == 0 ||
        width > largest || height > largest || !IsSupported(bitsPerPixel, compression) || !file.has(pixelOffset, 1))
    {
        return false;
    }

    // Zeroed memory straight from the system: pixels the file does not reach stay transparent
    // black without the whole picture being touched.
    m_pixels.reset(static_cast<unsigned char*>(std::calloc(static_cast<std::size_t>(width * height), 4)));
    if (m_pixels == nullptr)
    {
        return false;
    }
    const bool masked = compression == k_bitFields;
    const Layout layout{bitsPerPixel,
                        compression,
                        ReadPalette(file, k_fileHeaderSize + headerSize, bitsPerPixel, file.u32(k_coloursUsedAt)),
                        Channel(masked ? file.u32(k_masksAt) : 0),
                        Channel(masked ? file.u32(k_masksAt + 4) : 0),
                        Channel(masked ? file.u32(k_masksAt + 8) : 0),
                        Channel(masked && headerSize >= k_alphaMaskHeaderSize ? file.u32(k_masksAt + 12) : 0)};
    const Picture picture{m_pixels.get(), width, height, signedHeight < 0};
    if (compression == k_runLength8 || compression == k_runLength4)
    {
        DecodeRunLength(file, pixelOffset, layout, picture);
    }
    else if (!DecodeRows(file, pixelOffset, layout, picture, false) && bitsPerPixel == 32 && !masked)
    {
        // Most 32-bit files leave the fourth byte unused (zero): they are opaque.
        DecodeRows(file, pixelOffset, layout, picture, true);
    }
    m_width = static_cast<int>(width);
    m_height = static_cast<int>(height);
    return true;
}

bool CBitmap::GetBits(void* buffer, unsigned& size, unsigned redMask, unsigned greenMask, unsigned blueMask,
                      unsigned alphaMask, bool includePadding) const
{
    const Channel channels[4] = {Channel(redMask), Channel(greenMask), Channel(blueMask), Channel(alphaMask)};
    const int bits = channels[0].bits + channels[1].bits + channels[2].bits + channels[3].bits;
    if (bits > 32)
    {
        return false;
    }
    const std::size_t pixelBytes = static_cast<std::size_t>(bits + 7) / 8;
    const std::size_t width = static_cast<std::size_t>(m_width);
    const std::size_t rowBytes = (includePadding ? (width + 3) / 4 * 4 : width) * pixelBytes;
    const std::size_t needed = rowBytes * static_cast<std::size_t>(m_height);
    if (buffer == nullptr || size == 0)
    {
        size = static_cast<unsigned>(needed);
        return true;
    }
    if (size < needed)
    {
        return false;
    }
    // Every channel value of every channel, placed, looked up rather than worked out per pixel.
    std::array<std::array<std::uint32_t, 256>, 4> placed;
    for (int c = 0; c < 4; ++c)
    {
        for (unsigned v = 0; v < 256; ++v)
        {
            placed[c][v] = channels[c].narrow(v);
        }
    }
    unsigned char* out = static_cast<unsigned char*>(buffer);
    std::memset(out, 0, needed);
    for (std::size_t y = 0; y < static_cast<std::size_t>(m_height); ++y)
    {
        unsigned char* target = out + y * rowBytes;
        const unsigned char* source = m_pixels.get() + 4 * y * width;
        for (std::size_t x = 0; x < width; ++x, source += 4, target += pixelBytes)
        {
            const std::uint32_t value =
                placed[0][source[0]] | placed[1][source[1]] | placed[2][source[2]] | placed[3][source[3]];
            for (std::size_t b = 0; b < pixelBytes; ++b)
            {
                target[b] = static_cast<unsigned char>(value >> (8 * b));
            }
        }
    }
    size = static_cast<unsigned>(needed);
    return true;
}

std::string BitmapFileBytes(const BitmapFileContents& contents)
{
    std::string out;
    const auto put16 = [&out](std::uint32_t v) {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>((v >> 8) & 0xFF);
    };
    const auto put32 = [&put16](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    const bool masked = !contents.masks.empty();
    const std::uint32_t infoSize = masked ? k_maskedInfoHeaderSize : k_minInfoHeaderSize;
    const std::uint32_t offset =
        static_cast<std::uint32_t>(k_fileHeaderSize + infoSize + 4 * contents.palette.size());
    const std::uint32_t dataSize = static_cast<std::uint32_t>(contents.pixelData.size());
    constexpr std::uint32_t pixelsPerMetre = 2835;  // 72 dots per inch
    constexpr std::uint32_t standardRgb = 0x73524742;  // "sRGB"

    put16(k_magic);
    put32(offset + dataSize);
    put32(0);
    put32(offset);
    put32(infoSize);
    put32(static_cast<std::uint32_t>(contents.width));
    put32(static_cast<std::uint32_t>(contents.height));
    put16(1);
    put16(static_cast<std::uint32_t>(contents.bitsPerPixel));
    put32(contents.compression);
    put32(dataSize);
    put32(pixelsPerMetre);
    put32(pixelsPerMetre);
    put32(static_cast<std::uint32_t>(contents.palette.size()));
    put32(0);
    if (masked)
    {
        for (std::size_t i = 0; i < 4; ++i)
        {
            put32(i < contents.masks.size() ? contents.masks[i] : 0);
        }
        put32(standardRgb);
        out.append(36 + 12, '\0');  // colour-space end points and gammas, unused for sRGB
    }
    for (std::uint32_t colour : contents.palette)
    {
        put32(colour);
    }
    return out + contents.pixelData;
}

std::string BitmapRows(int width, const std::vector<std::uint32_t>& values, int bitsPerPixel)
{
    const std::size_t columns = static_cast<std::size_t>(std::max(width, 1));
    const std::size_t stride = (static_cast<std::size_t>(bitsPerPixel) * columns + 31) / 32 * 4;
    const std::size_t rows = values.size() / columns;
    std::string data(rows * stride, '\0');
    for (std::size_t i = 0; i < rows * columns; ++i)
    {
        char* row = &data[i / columns * stride];
        const std::size_t bit = i % columns * bitsPerPixel;
        if (bitsPerPixel < 8)
        {
            const std::uint32_t value = values[i] & ((1u << bitsPerPixel) - 1);
            row[bit / 8] = static_cast<char>(row[bit / 8] | (value << (8 - bitsPerPixel - bit % 8)));
            continue;
        }
        for (int b = 0; b < bitsPerPixel / 8; ++b)
        {
            row[bit / 8 + b] = static_cast<char>(values[i] >> (8 * b));
        }
    }
    return data;
}
