#pragma once

// Image file readers. Each returns a new[] pixel buffer owned by the caller and
// writes the size; on a missing, short or malformed file it returns null,
// leaves width and height untouched and prints one line on stderr.
// Rows come bottom row first, the texture origin of both renderers.
class Image {
public:
    // Uncompressed 24-bit BMP: blue, green, red per pixel, rows as stored,
    // each padded to a multiple of 4 bytes like the file.
    static unsigned char* loadBMP24(const char* file, unsigned short* width,
                                    unsigned short* height);
    // The same file as a glyph atlas: blue, green, red, alpha = red per pixel,
    // rows without padding (width x height x 4 bytes).
    static unsigned char* loadBMP24Font(const char* file, unsigned short* width,
                                        unsigned short* height);
    // PNG as 8-bit RGBA (other kinds are expanded), width x height x 4 bytes.
    static unsigned char* loadPNG(const char* file, unsigned short* width, unsigned short* height);
};
