#pragma once

// Everything a platform provides to the program's core. The core (flight/, settings/,
// render/ and the rest that uses only the C++ standard library) never includes a
// platform's headers; each platform folder (linux/, windows/) implements what is
// declared or named here, and nothing else is needed to port the program.

#include "KindSprites.h"
#include "MusicDevices.h"
#include "SaverSettings.h"
#include "SmokeDrawing.h"
#include "Surface.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Settings store: the per-user place the fifteen options live, keyed by their quoted
// names ("flight mode" ... "background file").

// Reads every key; a missing key, or an integer entry that is not a plain decimal
// number within 16 bits (ParseStoredInt), gives that key's default.
void LoadSettings(SaverSettings& settings);

// Writes every key. Returns false (with a reason in errorText when given) if the
// store could not be written; the previous contents are then left as they were.
bool SaveSettings(const SaverSettings& settings, std::string* errorText = nullptr);

// Reads one integer key with the given default, as the preview does for its two keys.
int16_t ReadSettingInt(const char* key, int16_t defaultValue);

// Pictures: the program carries its heading and smoke pictures embedded; the platform
// decodes them into surfaces. Both throw std::runtime_error naming a picture that cannot
// be read.

// The eight heading pictures of aircraft kind 0..5, picture d for heading d.
std::array<Surface, HeadingCount> ReadHeadingPictures(int kind);

// The seven smoke pictures.
std::array<Surface, SmokePictureCount> ReadSmokePictures();

// Music: the devices MusicController's three routes play through (MusicDevices.h):
// the multimedia command strings (CommandStringDevice), the external player
// (PlayerProcess) and the hidden media player (MediaPlayer).
MusicDevices MakeMusicDevices();

// Whether the media player (music mode 3) can be loaded on this machine; the show
// start-up asks before anything is shown.
bool MediaPlayerAvailable();

// The 3D show's work files ("readme2.txt" from ComposeModelFile, "bgi_tmp.bmp"), paths in
// UTF-8. The program's folder when files can be created in it, otherwise the per-user
// cache folder (made when missing).
std::string ChooseWorkFolder(const std::string& programFolder);

// Replaces the file at path with content through a new file renamed over it, so a link
// planted at path is replaced, never followed. On failure nothing at path changes.
bool ReplaceFile(const std::string& path, std::string_view content);
