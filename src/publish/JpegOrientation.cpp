#include "publish/JpegOrientation.h"

#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace quillmark {
namespace {

// Pictures beyond this many pixels are not turned: two bitmaps of them would
// take more memory than an export should.
constexpr uint64_t kMaxPixels = 100'000'000;

class TBytes {
public:
    explicit TBytes(std::string_view data) : FData(data) {}
    size_t Size() const { return FData.size(); }
    uint8_t At(uint64_t pos) const { return static_cast<uint8_t>(FData[pos]); }
    bool Fits(uint64_t pos, uint64_t count) const { return pos + count <= FData.size(); }
    uint16_t U16(uint64_t pos, bool littleEndian) const {
        return littleEndian ? static_cast<uint16_t>(At(pos) | At(pos + 1) << 8)
                            : static_cast<uint16_t>(At(pos) << 8 | At(pos + 1));
    }
    uint32_t U32(uint64_t pos, bool littleEndian) const {
        const uint32_t a = U16(pos, littleEndian);
        const uint32_t b = U16(pos + 2, littleEndian);
        return littleEndian ? (b << 16 | a) : (a << 16 | b);
    }
    TBytes Sub(uint64_t pos, uint64_t count) const { return TBytes(FData.substr(pos, count)); }

private:
    std::string_view FData;
};

// The orientation named by an EXIF block; 0 when its first directory has
// no orientation entry, -1 when the block is unusable (the search stops).
int OrientationInExif(const TBytes& body) {
    const uint64_t tiff = 6;
    bool little = false;
    if (body.At(tiff) == 'I' && body.At(tiff + 1) == 'I')
        little = true;
    else if (!(body.At(tiff) == 'M' && body.At(tiff + 1) == 'M'))
        return -1;
    if (body.U16(tiff + 2, little) != 42)
        return -1;
    const uint64_t directory = tiff + body.U32(10, little);
    if (!body.Fits(directory, 2))
        return -1;
    const uint16_t count = body.U16(directory, little);
    for (uint64_t i = 0, entry = directory + 2; i < count && body.Fits(entry, 12);
         ++i, entry += 12) {
        const uint16_t tag = body.U16(entry, little);
        const uint16_t type = body.U16(entry + 2, little);
        const uint32_t valueCount = body.U32(entry + 4, little);
        if (tag != 0x0112 || type != 3 || valueCount == 0)
            continue;
        const uint32_t value = body.U32(entry + 8, little);
        if (valueCount == 1)
            return little ? static_cast<int>(value & 0xFFFF) : static_cast<int>(value >> 16);
        const uint64_t at = tiff + value;
        return body.Fits(at, 2) ? body.U16(at, little) : 1;
    }
    return 0;
}

struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
    auto* error = reinterpret_cast<TJpegError*>(info->err);
    info->err->format_message(info, error->Message);
    std::longjmp(error->Jump, 1);
}

struct TBitmap {
    uint32_t Width = 0;
    uint32_t Height = 0;
    std::vector<uint8_t> Pixels; // rows of RGB triples, top to bottom
};

// Decodes into `bitmap`; an empty text when it worked, libjpeg's message
// otherwise. No object with a destructor lives in this frame, so the jump
// back from the error handler skips nothing.
std::string DecodeJpeg(const std::string& data, TBitmap& bitmap) {
    jpeg_decompress_struct info{};
    TJpegError error{};
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = OnJpegError;
    if (setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        return error.Message;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (static_cast<uint64_t>(info.output_width) * info.output_height > kMaxPixels ||
        info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return "the picture is too large";
    }
    bitmap.Width = info.output_width;
    bitmap.Height = info.output_height;
    bitmap.Pixels.resize(static_cast<size_t>(bitmap.Width) * bitmap.Height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row =
            bitmap.Pixels.data() + static_cast<size_t>(info.output_scanline) * bitmap.Width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return {};
}

// Encodes at quality 92 into `out` (malloc'ed by libjpeg, freed by the
// caller); an empty text when it worked.
std::string EncodeJpeg(const TBitmap& bitmap, unsigned char*& out, unsigned long& outSize) {
    jpeg_compress_struct info{};
    TJpegError error{};
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = OnJpegError;
    if (setjmp(error.Jump)) {
        jpeg_destroy_compress(&info);
        return error.Message;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &out, &outSize);
    info.image_width = bitmap.Width;
    info.image_height = bitmap.Height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPROW>(
            bitmap.Pixels.data() + static_cast<size_t>(info.next_scanline) * bitmap.Width * 3);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return {};
}

// Source pixel (x, y) of a W x H picture goes to (W-1-x, H-1-y) for 3,
// (H-1-y, x) for 6 and (y, W-1-x) for 8.
TBitmap Turn(const TBitmap& source, int orientation) {
    const uint32_t w = source.Width;
    const uint32_t h = source.Height;
    TBitmap target;
    target.Width = orientation == 3 ? w : h;
    target.Height = orientation == 3 ? h : w;
    target.Pixels.resize(source.Pixels.size());
    for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < w; ++x) {
            uint32_t tx = 0;
            uint32_t ty = 0;
            if (orientation == 3) {
                tx = w - 1 - x;
                ty = h - 1 - y;
            } else if (orientation == 6) {
                tx = h - 1 - y;
                ty = x;
            } else {
                tx = y;
                ty = w - 1 - x;
            }
            const uint8_t* from = &source.Pixels[(static_cast<size_t>(y) * w + x) * 3];
            uint8_t* to = &target.Pixels[(static_cast<size_t>(ty) * target.Width + tx) * 3];
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
    return target;
}

} // namespace

int ReadJpegOrientationFromBytes(std::string_view data) {
    const TBytes bytes(data);
    if (bytes.Size() < 4 || bytes.At(0) != 0xFF || bytes.At(1) != 0xD8)
        return 1;
    uint64_t pos = 2;
    while (bytes.Fits(pos, 4)) {
        if (bytes.At(pos) != 0xFF)
            break;
        uint8_t marker = bytes.At(pos + 1);
        pos += 2;
        while (marker == 0xFF && pos < bytes.Size())
            marker = bytes.At(pos++);
        if (!bytes.Fits(pos, 2))
            break;
        const uint16_t length = bytes.U16(pos, false);
        pos += 2;
        if (marker == 0xD9 || marker == 0xDA || length < 2)
            break;
        const uint64_t bodySize = length - 2u;
        if (marker == 0xE1 && bytes.Fits(pos, bodySize) && bodySize >= 14) {
            const TBytes body = bytes.Sub(pos, bodySize);
            if (body.At(0) == 'E' && body.At(1) == 'x' && body.At(2) == 'i' && body.At(3) == 'f' &&
                body.At(4) == 0 && body.At(5) == 0) {
                const int orientation = OrientationInExif(body);
                if (orientation < 0)
                    return 1;
                if (orientation > 0)
                    return orientation;
            }
        }
        pos += bodySize;
    }
    return 1;
}

int ReadJpegOrientation(const std::string& fileName) {
    if (!FileExists(fileName))
        return 1;
    try {
        return ReadJpegOrientationFromBytes(ReadFileBytes(fileName));
    } catch (const QuillError&) {
        return 1;
    }
}

void ApplyJpegOrientation(const std::string& fileName) {
    if (!AsciiEndsWithIgnoreCase(fileName, ".jpg") && !AsciiEndsWithIgnoreCase(fileName, ".jpeg"))
        return;
    const std::string data = ReadFileBytes(fileName);
    const int orientation = ReadJpegOrientationFromBytes(data);
    if (orientation != 3 && orientation != 6 && orientation != 8)
        return;
    TBitmap source;
    std::string failure = DecodeJpeg(data, source);
    if (!failure.empty())
        throw QuillError("Could not read the picture " + fileName + ": " + failure);
    const TBitmap turned = Turn(source, orientation);
    unsigned char* encoded = nullptr;
    unsigned long encodedSize = 0;
    failure = EncodeJpeg(turned, encoded, encodedSize);
    const std::string written =
        encoded ? std::string(reinterpret_cast<char*>(encoded), encodedSize) : std::string();
    std::free(encoded);
    if (!failure.empty())
        throw QuillError("Could not write the picture " + fileName + ": " + failure);
    WriteFileAtomically(fileName, written);
}

} // namespace quillmark
