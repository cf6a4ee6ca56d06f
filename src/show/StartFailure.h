#pragma once

#include <string>

// Why a show could not start or had to stop, and the message box that tells the user
// (UTF-8, Japanese like the rest of the program; stop icon, OK button). Standard error
// and the daemons' logs keep their own English lines.
enum class StartFailure {
    BackgroundUnreadable,  // the chosen background picture file
    NoMemory,              // the show's frames do not fit in memory
    WindowNotMade,
    NoOpenGl33,            // the 3D kinds' context, its functions or its shaders
    NoWorkFolder,          // neither folder the 3D work files may go to can be written
    WorkFileUnwritable,
    WorkFileUnreadable,
    ModelUnreadable,
    PictureUnreadable,     // a picture built into the program
};

inline constexpr const char* StartFailureTitle = "エラー情報";

// The box's text; `file` is the file concerned, shown on a line of its own where the
// failure has one.
std::string StartFailureText(StartFailure failure, const std::string& file = {});
