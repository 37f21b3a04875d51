#include "repair/banner_jpeg.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>

namespace raz {
namespace {

// libjpeg reports a fatal error through error_exit, which must not return:
// jump back to the decoder instead of ending the process.
struct ErrorManager {
  jpeg_error_mgr public_part;
  std::jmp_buf back;
};

void ExitByJump(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->back, 1);
}

// Warnings (such as a picture that ends early) are not shown anywhere.
void IgnoreMessage(j_common_ptr) {}

// Fills `image` from `info`, whose source is set. Only trivially destructible
// objects live in this frame, so the jump out of libjpeg skips no destructor;
// `image` belongs to the caller.
bool DecodeInto(jpeg_decompress_struct* info, ErrorManager* errors, BgrImage* image) {
  if (setjmp(errors->back) != 0) return false;
  if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
  info->out_color_space = JCS_RGB;
  jpeg_start_decompress(info);
  if (info->output_components != 3 || info->output_width == 0 || info->output_height == 0 ||
      info->output_width > static_cast<JDIMENSION>(kMaxJpegSide) ||
      info->output_height > static_cast<JDIMENSION>(kMaxJpegSide)) {
    return false;
  }
  image->width = static_cast<int>(info->output_width);
  image->height = static_cast<int>(info->output_height);
  image->stride = (static_cast<std::size_t>(image->width) * 3 + 3) & ~static_cast<std::size_t>(3);
  image->pixels.assign(image->stride * static_cast<std::size_t>(image->height), 0);
  while (info->output_scanline < info->output_height) {
    unsigned char* row = image->pixels.data() + image->stride * info->output_scanline;
    JSAMPROW rows[1] = {row};
    if (jpeg_read_scanlines(info, rows, 1) != 1) return false;
    for (int x = 0; x < image->width; ++x) {  // RGB to BGR in place
      unsigned char* pixel = row + 3 * x;
      const unsigned char red = pixel[0];
      pixel[0] = pixel[2];
      pixel[2] = red;
    }
  }
  jpeg_finish_decompress(info);
  return true;
}

}  // namespace

std::optional<BgrImage> DecodeJpeg(const unsigned char* data, std::size_t size) {
  if (data == nullptr || size == 0) return std::nullopt;
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.public_part);
  errors.public_part.error_exit = ExitByJump;
  errors.public_part.output_message = IgnoreMessage;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  BgrImage image;
  const bool decoded = DecodeInto(&info, &errors, &image);
  jpeg_destroy_decompress(&info);
  if (!decoded) return std::nullopt;
  return image;
}

}  // namespace raz
