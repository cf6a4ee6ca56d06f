#pragma once

#include "Monitors.h"
#include "MusicController.h"
#include "SaverSettings.h"
#include "Surface.h"

#include <cstdint>
#include <string>
#include <vector>

// The three-dimensional kinds (200 and above): in the work folder the background saved
// as the 512 x 512 texture "bgi_tmp.bmp" and the model file "readme2.txt" written, read
// back and emptied, then the scene flown in an OpenGL 3.3 window at the show size until
// the user ends it, and every other monitor flying a scene of its own at its own size
// on its own background (others). programFolder is the .scr's folder (UTF-8), where the texture
// pictures lie. Returns the program's exit status; failures are told to the user after
// the screen is given back.
int RunShow3DRoad(SaverSettings& settings, MusicController& music, const std::string& programFolder,
                  int16_t width, int16_t height, const Surface& background,
                  const std::vector<OtherMonitorShow>& others);
