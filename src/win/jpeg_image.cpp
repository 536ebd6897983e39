#include "win/jpeg_image.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

// libjpeg's headers need the standard types and define their own boolean.
#include <jpeglib.h>

#include "core/text_codec.h"
#include "win/error.h"
#include "win/text_file.h"

namespace kestova::win {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  info->err->format_message(info, manager->message);
  std::longjmp(manager->jump, 1);
}

struct Decoded {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
};

// Plain C state only between setjmp and longjmp: nothing here has a destructor to skip.
bool decode(const std::string& bytes, Decoded& out, char* message) {
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = onError;
  if (setjmp(errors.jump)) {
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  out.width = static_cast<int>(info.output_width);
  out.height = static_cast<int>(info.output_height);
  std::size_t stride = std::size_t{info.output_width} * 3;
  out.rgb.resize(stride * info.output_height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW target = out.rgb.data() + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &target, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

Picture loadJpeg(const std::wstring& path) {
  std::string bytes = readBytes(path);
  Decoded decoded;
  char message[JMSG_LENGTH_MAX] = {};
  if (!decode(bytes, decoded, message)) {
    throw Error(L"Cannot read picture \"" + path + L"\": " + fromCp1252(message));
  }
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = decoded.width;
  bmi.bmiHeader.biHeight = -decoded.height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Picture picture;
  picture.bitmap.reset(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!picture.bitmap) throwLastError(L"Cannot create picture \"" + path + L"\"");
  auto* pixel = static_cast<unsigned char*>(bits);
  for (std::size_t i = 0; i < decoded.rgb.size(); i += 3, pixel += 4) {
    pixel[0] = decoded.rgb[i + 2];
    pixel[1] = decoded.rgb[i + 1];
    pixel[2] = decoded.rgb[i];
    pixel[3] = 0;
  }
  picture.width = decoded.width;
  picture.height = decoded.height;
  return picture;
}

}  // namespace kestova::win
