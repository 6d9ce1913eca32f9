// Feeds arbitrary bytes to the bitmap decoder. Whatever the file, decoding must stay within its
// buffers, and a picture it decoded must survive being written as a 32-bit file with an alpha
// channel and decoded again, pixel for pixel.
#include "Editor/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace
{

// Pictures larger than this on a side are decoded the same way, only more slowly.
constexpr int k_maxSide = 2048;
// Larger pictures are decoded but not repacked, to keep runs fast.
constexpr long k_maxRepacked = 1 << 12;

std::vector<unsigned char> Repack(const CBitmap& bitmap, unsigned red, unsigned green, unsigned blue, unsigned alpha)
{
    unsigned size = 0;
    if (!bitmap.GetBits(nullptr, size, red, green, blue, alpha, false))
    {
        __builtin_trap();  // the masks fit in 32 bits
    }
    std::vector<unsigned char> bits(size);
    if (size > 0 && !bitmap.GetBits(bits.data(), size, red, green, blue, alpha, false))
    {
        __builtin_trap();  // the buffer has the size asked for
    }
    return bits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CBitmap bitmap;
    if (!bitmap.LoadFromMemory(data, size, k_maxSide))
    {
        return 0;
    }
    const int width = bitmap.GetWidth();
    const int height = bitmap.GetHeight();
    if (width < 1 || height < 1 || width > k_maxSide || height > k_maxSide)
    {
        __builtin_trap();
    }
    if (static_cast<long>(width) * height > k_maxRepacked)
    {
        return 0;
    }
    // Padded rows and a layout of narrow channels.
    unsigned padded = 0;
    bitmap.GetBits(nullptr, padded, 0xF800, 0x07E0, 0x001F, 0, true);
    std::vector<unsigned char> narrow(padded);
    if (!bitmap.GetBits(narrow.data(), padded, 0xF800, 0x07E0, 0x001F, 0, true))
    {
        __builtin_trap();
    }

    BitmapFileContents copy;
    copy.width = width;
    copy.height = height;
    copy.bitsPerPixel = 32;
    copy.compression = 3;
    copy.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    const std::vector<unsigned char> bgra = Repack(bitmap, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
    copy.pixelData.assign(bgra.begin(), bgra.end());
    const std::string file = BitmapFileBytes(copy);
    CBitmap reread;
    if (!reread.LoadFromMemory(reinterpret_cast<const unsigned char*>(file.data()), file.size(), k_maxSide) ||
        Repack(reread, 0xFF, 0xFF00, 0xFF0000, 0xFF000000) != Repack(bitmap, 0xFF, 0xFF00, 0xFF0000, 0xFF000000))
    {
        __builtin_trap();  // a picture written by this program did not read back as written
    }
    return 0;
}
