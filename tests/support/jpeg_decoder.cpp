#include "tests/support/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>

// jpeglib.h leaves it to the includer to have FILE and size_t declared first.
#include <jpeglib.h>

namespace dialvane::testing {
namespace {

struct ErrorTrap {
    jpeg_error_mgr manager{};
    std::jmp_buf escape{};
};

// libjpeg's frames are C: no exception may cross them, so its errors jump back instead.
[[noreturn]] void escape(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->escape, 1);
}

// Only trivially destructible locals here, so the jump skips no destructor.
bool decodeInto(const Bytes& bytes, JpegPicture& picture, jpeg_decompress_struct& info,
                ErrorTrap& trap) {
    if (setjmp(trap.escape) != 0) {
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    picture.width = static_cast<int>(info.output_width);
    picture.height = static_cast<int>(info.output_height);
    picture.rgb.resize(std::size_t{info.output_width} * info.output_height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row =
            picture.rgb.data() + std::size_t{info.output_scanline} * info.output_width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

JpegPixel JpegPicture::at(int x, int y) const {
    const auto i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)) *
                   3;
    return {rgb.at(i), rgb.at(i + 1), rgb.at(i + 2)};
}

JpegPicture decodeJpeg(const Bytes& bytes) {
    JpegPicture picture;
    if (bytes.empty()) {
        return picture;
    }
    ErrorTrap trap;
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = escape;
    const bool decoded = decodeInto(bytes, picture, info, trap);
    jpeg_destroy_decompress(&info);
    return decoded ? picture : JpegPicture{};
}

}  // namespace dialvane::testing
