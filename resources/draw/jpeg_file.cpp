#include "resources/draw/jpeg_file.h"

#include <cstdio>
#include <cstdlib>

// jpeglib.h leaves it to the includer to have FILE and size_t declared first.
#include <jpeglib.h>

namespace dialvane::draw {
namespace {

// An exception cannot pass through libjpeg's C frames; its errors here only come from misuse.
[[noreturn]] void fail(j_common_ptr info) {
    (*info->err->output_message)(info);
    std::exit(EXIT_FAILURE);
}

struct Compressor {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;

    Compressor() {
        info.err = jpeg_std_error(&errors);
        errors.error_exit = fail;
        jpeg_create_compress(&info);
        jpeg_mem_dest(&info, &buffer, &size);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
    ~Compressor() {
        jpeg_destroy_compress(&info);
        std::free(buffer);  // libjpeg allocates the memory destination with malloc
    }
};

}  // namespace

Bytes jpegFile(const Picture& picture, int quality) {
    Compressor jpeg;
    jpeg.info.image_width = static_cast<JDIMENSION>(picture.width());
    jpeg.info.image_height = static_cast<JDIMENSION>(picture.height());
    jpeg.info.input_components = 3;
    jpeg.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&jpeg.info);
    jpeg_set_quality(&jpeg.info, quality, TRUE);
    // Full-resolution colour: the ticks are a pixel wide and subsampling would smear them.
    for (int c = 0; c < 3; ++c) {
        jpeg.info.comp_info[c].h_samp_factor = 1;
        jpeg.info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&jpeg.info, TRUE);
    Bytes row(static_cast<std::size_t>(picture.width()) * 3);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb8 colour = quantised(picture.at(x, y).onto({0, 0, 0}));
            const auto at = static_cast<std::size_t>(x) * 3;
            row.at(at) = colour.r;
            row.at(at + 1) = colour.g;
            row.at(at + 2) = colour.b;
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&jpeg.info, rows, 1);
    }
    jpeg_finish_compress(&jpeg.info);
    return Bytes(jpeg.buffer, jpeg.buffer + jpeg.size);
}

}  // namespace dialvane::draw
