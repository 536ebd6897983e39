#pragma once
// JPEG pictures decoded through libjpeg into a bitmap the windows draw as their background.
#include <windows.h>

#include <string>

#include "win/handles.h"

namespace kestova::win {

struct Picture {
  Bitmap bitmap;  // 32-bit top-down DIB section
  int width = 0;
  int height = 0;
};

// Throws Error with the decoder's message when the file cannot be read or decoded.
Picture loadJpeg(const std::wstring& path);

}  // namespace kestova::win
