#pragma once

#include <cstdlib>
#include <jpeglib.h>
#include <string>
#include <vector>

namespace quillmark::testing {

// A TIFF block "Exif\0\0..." whose first directory holds one orientation
// entry; with `valueCount` above 1 the value lies after the directory.
inline std::string ExifBlock(bool little, int orientation, int valueCount = 1) {
    auto u16 = [&](int v) {
        return little ? std::string{char(v & 0xFF), char(v >> 8)}
                      : std::string{char(v >> 8), char(v & 0xFF)};
    };
    auto u32 = [&](int v) { return little ? u16(v) + u16(0) : u16(0) + u16(v); };
    std::string tiff = little ? std::string("II") : std::string("MM");
    tiff += u16(42) + u32(8) + u16(1);
    tiff += u16(0x0112) + u16(3) + u32(valueCount);
    tiff += valueCount == 1 ? u16(orientation) + u16(0) : u32(8 + 2 + 12 + 4);
    tiff += u32(0);
    if (valueCount > 1)
        tiff += u16(orientation) + u16(orientation);
    return std::string("Exif\0\0", 6) + tiff;
}

// A JPEG marker segment: FF, marker, big-endian length, body.
inline std::string JpegSegment(unsigned char marker, const std::string& body) {
    const size_t length = body.size() + 2;
    return std::string{'\xFF', char(marker), char(length >> 8), char(length & 0xFF)} + body;
}

// A 16 x 8 JPEG: left half red, right half blue.
inline std::string MakeTestJpeg() {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = 16;
    info.image_height = 8;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(16 * 3);
    for (int x = 0; x < 16; ++x) {
        row[x * 3] = x < 8 ? 255 : 0;
        row[x * 3 + 2] = x < 8 ? 0 : 255;
    }
    while (info.next_scanline < 8) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<char*>(out), size);
    std::free(out);
    return bytes;
}

// The JPEG with an EXIF block carrying `orientation` right after its start.
inline std::string WithOrientation(const std::string& jpeg, int orientation) {
    return jpeg.substr(0, 2) + JpegSegment(0xE1, ExifBlock(false, orientation)) + jpeg.substr(2);
}

struct DecodedJpeg {
    unsigned Width = 0;
    unsigned Height = 0;
    std::vector<unsigned char> Pixels;
    bool IsRed(unsigned x, unsigned y) const {
        const unsigned char* p = &Pixels[(y * Width + x) * 3];
        return p[0] > 200 && p[2] < 60;
    }
    bool IsBlue(unsigned x, unsigned y) const {
        const unsigned char* p = &Pixels[(y * Width + x) * 3];
        return p[2] > 200 && p[0] < 60;
    }
};

inline DecodedJpeg DecodeTestJpeg(const std::string& bytes) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    DecodedJpeg d;
    d.Width = info.output_width;
    d.Height = info.output_height;
    d.Pixels.resize(d.Width * d.Height * 3);
    while (info.output_scanline < d.Height) {
        JSAMPROW r = &d.Pixels[info.output_scanline * d.Width * 3];
        jpeg_read_scanlines(&info, &r, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return d;
}

} // namespace quillmark::testing
