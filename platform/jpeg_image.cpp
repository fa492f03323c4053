#include "platform/jpeg_image.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/file_util.h"

namespace taiyi {
namespace {

// libjpeg reports fatal errors through error_exit; jump back instead of exiting.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, err->message);
  std::longjmp(err->jump, 1);
}

}  // namespace

bool DecodeJpeg(const std::string& bytes, RgbImage& image, std::string& error) {
  jpeg_decompress_struct info{};
  ErrorManager err{};
  info.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  // Everything written between setjmp and a possible longjmp lives on the heap, behind a
  // pointer that itself never changes.
  auto result = std::make_unique<RgbImage>();
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    error = std::string("JPEG: ") + err.message;
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  result->width = static_cast<int>(info.output_width);
  result->height = static_cast<int>(info.output_height);
  result->pixels.resize(static_cast<std::size_t>(result->width) * result->height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = result->pixels.data() +
                   static_cast<std::size_t>(info.output_scanline) * result->width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  image = std::move(*result);
  return true;
}

bool ReadJpeg(const std::string& path, RgbImage& image, std::string& error) {
  std::string bytes;
  if (!ReadFile(path, bytes)) {
    error = "无法读取文件：" + path;
    return false;
  }
  return DecodeJpeg(bytes, image, error);
}

bool WriteJpeg(const std::string& path, const RgbImage& image, int quality, std::string& error) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
    error = "JPEG: empty image";
    return false;
  }
  jpeg_compress_struct info{};
  ErrorManager err{};
  info.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  struct Output {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
  };
  auto out = std::make_unique<Output>();
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&info);
    std::free(out->buffer);
    error = std::string("JPEG: ") + err.message;
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &out->buffer, &out->size);
  info.image_width = static_cast<JDIMENSION>(image.width);
  info.image_height = static_cast<JDIMENSION>(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    auto* row = const_cast<JSAMPROW>(image.pixels.data() +
                                     static_cast<std::size_t>(info.next_scanline) * image.width * 3);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  const bool ok =
      WriteFileAtomic(path, std::string_view(reinterpret_cast<char*>(out->buffer), out->size));
  std::free(out->buffer);
  if (!ok) error = "无法写入文件：" + path;
  return ok;
}

}  // namespace taiyi
