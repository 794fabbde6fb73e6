#include "Image.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include <png.h>

#include "DataFile.h"

namespace {

const std::size_t bmpHeaderSize = 54;

std::uint32_t le32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}
std::uint16_t le16(const unsigned char* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}

struct BMPLayout {
    const unsigned char* pixels; // first byte of the bottom row
    std::uint32_t width;
    std::uint32_t height;
    std::size_t rowSize;   // bytes per stored row, padding included
    std::size_t available; // pixel bytes in the file, at most rowSize x height
};

// Checks the headers and that every pixel lies inside the file; the last
// row's padding may be missing.
bool readBMPLayout(const char* file, const std::string& bytes, BMPLayout& out) {
    if (bytes.size() < bmpHeaderSize)
        return dataFileError(file, "truncated BMP header");
    const unsigned char* h = reinterpret_cast<const unsigned char*>(bytes.data());
    if (h[0] != 'B' || h[1] != 'M')
        return dataFileError(file, "not a BMP file");
    std::uint32_t offBits = le32(h + 10);
    std::int32_t width = static_cast<std::int32_t>(le32(h + 18));
    std::int32_t height = static_cast<std::int32_t>(le32(h + 22));
    if (le16(h + 28) != 24)
        return dataFileError(file, "not a 24-bit BMP");
    if (le32(h + 30) != 0)
        return dataFileError(file, "compressed BMP");
    if (width <= 0 || width > 65535 || height <= 0 || height > 65535)
        return dataFileError(file, "bad BMP size");
    // 64-bit sizes: a 65535 x 65535 header must not wrap on 32-bit builds.
    std::uint64_t rowSize = (std::uint64_t(width) * 3 + 3) & ~std::uint64_t(3);
    std::uint64_t needed = rowSize * std::uint64_t(height - 1) + std::uint64_t(width) * 3;
    // biSizeImage is not trusted either way: the rows are read whenever every
    // pixel is in the file, whatever size the header gives them.
    if (offBits < bmpHeaderSize || offBits > bytes.size() || needed > bytes.size() - offBits)
        return dataFileError(file, "BMP pixel data past the end of the file");
    out.pixels = h + offBits;
    out.width = static_cast<std::uint32_t>(width);
    out.height = static_cast<std::uint32_t>(height);
    out.rowSize = static_cast<std::size_t>(rowSize);
    std::uint64_t inFile = bytes.size() - offBits, padded = rowSize * std::uint64_t(height);
    out.available = static_cast<std::size_t>(inFile < padded ? inFile : padded);
    return true;
}

} // namespace

unsigned char* Image::loadBMP24(const char* file, unsigned short* width, unsigned short* height) {
    std::string bytes;
    BMPLayout bmp;
    if (!readDataFile(file, bytes) || !readBMPLayout(file, bytes, bmp))
        return nullptr;
    // Padded rows, as the upload reads them; missing last-row padding is zero.
    std::size_t size = bmp.rowSize * bmp.height;
    unsigned char* pixels = new unsigned char[size];
    std::memcpy(pixels, bmp.pixels, bmp.available);
    std::memset(pixels + bmp.available, 0, size - bmp.available);
    *width = static_cast<unsigned short>(bmp.width);
    *height = static_cast<unsigned short>(bmp.height);
    return pixels;
}

unsigned char* Image::loadBMP24Font(const char* file, unsigned short* width,
                                    unsigned short* height) {
    std::string bytes;
    BMPLayout bmp;
    if (!readDataFile(file, bytes) || !readBMPLayout(file, bytes, bmp))
        return nullptr;
    unsigned char* pixels = new unsigned char[std::size_t(bmp.width) * bmp.height * 4];
    unsigned char* out = pixels;
    for (std::uint32_t y = 0; y < bmp.height; ++y) {
        const unsigned char* in = bmp.pixels + bmp.rowSize * y;
        for (std::uint32_t x = 0; x < bmp.width; ++x, in += 3, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = in[2]; // white glyphs on black: opaque where red is lit
        }
    }
    *width = static_cast<unsigned short>(bmp.width);
    *height = static_cast<unsigned short>(bmp.height);
    return pixels;
}

namespace {

// libpng's view of the file and what a failed read leaves behind. Everything
// that must survive the error jump lives here, outside the jumping frame.
struct PNGRead {
    const unsigned char* data;
    std::size_t size;
    std::size_t pos;
    png_structp png;
    png_infop info;
    png_infop endInfo;
    unsigned char* pixels;
    png_bytep* rows;
    png_uint_32 width;
    png_uint_32 height;
    char message[160];
};

// Deflate never expands one input byte into more than 1032 output bytes, so a
// file cannot hold more raw image data than this.
const std::uint64_t maxInflateRatio = 1032;
// Largest decoded image accepted (64 M pixels): keeps a hostile header from
// asking for more memory than any texture can use.
const std::uint64_t maxPNGBytes = std::uint64_t(256) << 20;

void pngError(png_structp png, png_const_charp message) {
    PNGRead* read = static_cast<PNGRead*>(png_get_error_ptr(png));
    std::snprintf(read->message, sizeof read->message, "%s", message);
    png_longjmp(png, 1);
}

bool failPNG(PNGRead& read, const char* message) {
    std::snprintf(read.message, sizeof read.message, "%s", message);
    return false;
}

// Everything between setjmp and the end of the read; returns false with
// read.message set when libpng or a check refused the file.
bool decodePNG(PNGRead& read) {
    if (setjmp(png_jmpbuf(read.png)))
        return false;
    png_structp png = read.png;
    png_infop info = read.info;
    png_set_sig_bytes(png, 8);
    // Skip every chunk but IHDR, PLTE, tRNS, IDAT and IEND unread: the others
    // are of no use here, and libpng would otherwise allocate whatever length
    // an ancillary chunk claims.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_info(png, info);
    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);
    if (width > 65535 || height > 65535)
        return failPNG(read, "PNG larger than 65535 pixels");
    std::uint64_t rawBytes = std::uint64_t(height) * (png_get_rowbytes(png, info) + 1);
    if (rawBytes > std::uint64_t(read.size) * maxInflateRatio)
        return failPNG(read, "PNG size larger than its data can hold");
    if (std::uint64_t(width) * height * 4 > maxPNGBytes)
        return failPNG(read, "PNG too large");

    // Any other kind of PNG becomes 8-bit RGBA; the files we ship already are.
    int colorType = png_get_color_type(png, info);
    bool hasTransparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (hasTransparency)
        png_set_tRNS_to_alpha(png);
    if (png_get_bit_depth(png, info) == 16)
        png_set_strip_16(png);
    if (!(colorType & PNG_COLOR_MASK_COLOR))
        png_set_gray_to_rgb(png);
    if (!(colorType & PNG_COLOR_MASK_ALPHA) && !hasTransparency)
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    std::size_t stride = png_get_rowbytes(png, info);
    if (png_get_bit_depth(png, info) != 8 || png_get_channels(png, info) != 4 ||
        stride != std::size_t(width) * 4)
        return failPNG(read, "PNG not convertible to 8-bit RGBA");
    read.pixels = new unsigned char[stride * height];
    read.rows = new png_bytep[height];
    for (png_uint_32 i = 0; i < height; ++i)
        read.rows[i] = read.pixels + std::size_t(height - 1 - i) * stride; // top row lands last
    png_read_image(png, read.rows);
    read.width = width;
    read.height = height;
    return true;
}

} // namespace

// Hands libpng the next bytes of the file; a short file is a libpng error, not
// a buffer of stale bytes.
void userReadData(png_structp png, png_bytep data, png_size_t length) {
    PNGRead* read = static_cast<PNGRead*>(png_get_io_ptr(png));
    if (length > read->size - read->pos)
        png_error(png, "unexpected end of file");
    std::memcpy(data, read->data + read->pos, length);
    read->pos += length;
}

// A missing file, a wrong signature or a structure libpng cannot make gives
// null without a message; libpng's warnings go to its default
// handler, which prints them. Its errors end in a null result with one line
// instead of ending the program.
unsigned char* Image::loadPNG(const char* file, unsigned short* width, unsigned short* height) {
    std::string bytes, reason;
    if (!readFileQuietly(file, bytes, reason))
        return nullptr;
    const unsigned char* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() < 8 || png_sig_cmp(data, 0, 8) != 0)
        return nullptr;
    PNGRead read = {};
    read.data = data;
    read.size = bytes.size();
    read.pos = 8;
    read.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &read, pngError, nullptr);
    if (read.png) {
        read.info = png_create_info_struct(read.png);
        read.endInfo = png_create_info_struct(read.png);
    }
    if (!read.png || !read.info || !read.endInfo) {
        png_destroy_read_struct(&read.png, &read.info, &read.endInfo);
        return nullptr;
    }
    png_set_read_fn(read.png, &read, userReadData);
    bool ok = decodePNG(read);
    png_destroy_read_struct(&read.png, &read.info, &read.endInfo);
    delete[] read.rows;
    if (!ok) {
        delete[] read.pixels;
        dataFileError(file, std::string("PNG error: ") + read.message);
        return nullptr;
    }
    *width = static_cast<unsigned short>(read.width);
    *height = static_cast<unsigned short>(read.height);
    return read.pixels;
}
