#pragma once

#include "Surface.h"

#include <vector>

// The surface as a Windows bitmap file: 24 bits per pixel, rows bottom first, each
// padded to four bytes. Pixels are taken as opaque.
std::vector<unsigned char> EncodeBitmapFile(const Surface& picture);
