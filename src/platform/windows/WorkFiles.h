#pragma once

#include <string>
#include <string_view>

// The 3D show's work files ("bgi_tmp.bmp", "readme2.txt") go into the program's folder
// when it can be written, otherwise into %LOCALAPPDATA%\KestrovaSaver (the usual case
// for a saver installed under Program Files or the Windows folder). A folder that is a
// link (reparse point) is never used. Paths in UTF-8; empty when neither folder takes
// files.
std::string ChooseWorkFolder(const std::string& programFolder);

// Replaces the file at path with content: a new file is written beside it and renamed
// over it, so a link planted at path is replaced and never followed. On failure
// nothing at path changes and false is returned.
bool ReplaceFile(const std::string& path, std::string_view content);
