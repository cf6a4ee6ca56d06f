#pragma once

#include <string>
#include <vector>

// Splits a command line into words as a POSIX shell does, quote removal included:
// blanks separate words; '...' keeps everything literally; "..." keeps everything but
// a backslash before $ ` " \ or a line break; a backslash outside quotes keeps the
// next character. Nothing is expanded. An unclosed quote runs to the end of the line.
std::vector<std::string> SplitShellWords(const std::string& line);
