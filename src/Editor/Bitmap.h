// Windows bitmap (BMP) pictures: decoding into 8-bit red, green, blue and alpha pixels, repacking
// them into any channel layout, and writing the files back (for the trace image and the tests).
//
// Decoding trusts nothing in the file. Sizes, offsets, colour tables and run-length data are
// checked against the file and the image before every access, so a broken or hostile file loads
// as false or as whatever part of its picture is really there; pixels the file does not describe
// are transparent black.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CBitmap
{
public:
    // Larger pictures are refused: their pixels would take over a gigabyte.
    static constexpr int k_maxSide = 16384;

    // Decodes the file: uncompressed at 1, 4, 8, 16 (5-5-5), 24 and 32 bits per pixel, 8-bit
    // and 4-bit run-length, and 16 or 32-bit bit fields. False, with nothing held, for a file
    // that cannot be read, is not a bitmap, has no pixels, is larger than `maxSide` on a side,
    // or uses another depth or compression.
    bool Load(const char* filename);
    bool LoadFromMemory(const unsigned char* data, std::size_t size, int maxSide = k_maxSide);

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }

    // The pixels, bottom row first, each channel scaled to the width of its mask and placed at
    // it; pixels take as many whole bytes as the masks' bits need, stored little-endian. Rows
    // are padded to a multiple of 4 pixels when `includePadding` is set. With a null buffer or
    // a size of 0, `size` is set to the bytes needed; otherwise the pixels are written when
    // `size` is at least that and `size` is set to the bytes written. False, with nothing
    // written, when the masks have more than 32 bits together or the buffer is too small.
    bool GetBits(void* buffer, unsigned& size, unsigned redMask, unsigned greenMask, unsigned blueMask,
                 unsigned alphaMask, bool includePadding) const;

private:
    struct FreeDeleter
    {
        void operator()(unsigned char* p) const;
    };

    int m_width = 0;
    int m_height = 0;
    // m_width × m_height pixels of red, green, blue and alpha bytes, bottom row first.
    std::unique_ptr<unsigned char[], FreeDeleter> m_pixels;
};

// What a bitmap file holds besides its headers.
struct BitmapFileContents
{
    int width = 0;
    // Negative for rows stored top row first.
    int height = 0;
    int bitsPerPixel = 24;
    // 0 uncompressed, 1 and 2 run-length at 8 and 4 bits, 3 bit fields.
    unsigned compression = 0;
    // Colour table entries as 0xAARRGGBB.
    std::vector<std::uint32_t> palette;
    // Red, green, blue and alpha masks of bit-field pictures (a 108-byte information header).
    std::vector<std::uint32_t> masks;
    // The pixel data exactly as it is to be stored.
    std::string pixelData;
};

// The bytes of the file: headers, colour table and pixel data.
std::string BitmapFileBytes(const BitmapFileContents& contents);

// Uncompressed pixel data: `values` holds rows of `width` values of `bitsPerPixel` bits, in the
// order they are stored. Values under 8 bits are packed from each byte's high bits down, wider
// ones are stored little-endian, and each row is padded to a multiple of 4 bytes.
std::string BitmapRows(int width, const std::vector<std::uint32_t>& values, int bitsPerPixel);
