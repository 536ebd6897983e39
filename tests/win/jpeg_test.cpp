#include <gtest/gtest.h>

#include "harness/driver.h"
#include "harness/temp_folder.h"
#include "win/error.h"
#include "win/jpeg_image.h"

namespace kestova::test {
namespace {

TEST(Jpeg, DecodesTheHubBackgroundToItsSize) {
  win::Picture picture = win::loadJpeg(windowsPath(KESTOVA_DIST_DIR) + L"\\hub.jpg");
  EXPECT_EQ(picture.width, 760);
  EXPECT_EQ(picture.height, 488);
  BITMAP info = {};
  ASSERT_TRUE(GetObjectW(picture.bitmap.get(), sizeof info, &info));
  EXPECT_EQ(info.bmBitsPixel, 32);
  // The top-left pixel is the light band the picture was drawn with, not black.
  auto* bits = static_cast<unsigned char*>(info.bmBits);
  EXPECT_GT(bits[0] + bits[1] + bits[2], 3 * 180);
}

TEST(Jpeg, ABrokenFileGivesTheDecodersMessage) {
  TempFolder folder;
  std::wstring path = folder.writeFile(L"broken.jpg", "\xFF\xD8\xFF\xE0 not really a picture");
  try {
    win::loadJpeg(path);
    FAIL() << "a broken picture decoded";
  } catch (const win::Error& e) {
    EXPECT_NE(e.text().find(L"Cannot read picture"), std::wstring::npos);
  }
  EXPECT_THROW(win::loadJpeg(folder.path() + L"missing.jpg"), win::Error);
}

}  // namespace
}  // namespace kestova::test
