#pragma once

#include "Platform.h"

#include <optional>
#include <span>
#include <string>

// Pictures decoded with the Windows Imaging Component (BMP, JPEG, GIF, PNG), into the
// core's premultiplied ARGB surfaces. Any thread may call these.

// Nothing when the bytes are not a picture WIC can read.
std::optional<Surface> DecodePicture(std::span<const unsigned char> bytes);

// Nothing when the file cannot be opened or is not a picture.
std::optional<Surface> ReadPictureFile(const std::wstring& path);

// An embedded picture ("preview/emblem.png"); throws std::runtime_error naming it when
// it cannot be read.
Surface ReadEmbeddedPicture(const std::string& name);
