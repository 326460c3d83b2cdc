// The bar's fill graphic as a bitmap: one of the two built-in gradients, or a
// picture file (JPEG, GIF or BMP) the user chose.
#pragma once

#include <windows.h>

#include <string>

#include "common/win/unique_any.h"

namespace skel::monitor::display::win {

struct OwnedGraphic {
  skel::win::UniqueBitmap bitmap;
  int width = 0;
  int height = 0;
};

// 154 x 12, or 77 x 12 for compact mode.
OwnedGraphic MakeBuiltInFillGraphic(bool compact);
// Nothing (an empty bitmap) when the file is missing or not a picture.
OwnedGraphic LoadPictureFile(const std::string& path);

}  // namespace skel::monitor::display::win
