#pragma once

#include "ModelFile.h"
#include "Platform.h"

#include <cstdint>
#include <string>

// The model file in the work folder (ChooseWorkFolder and ReplaceFile, Platform.h).

// Writes the model file into workFolder, its texture lines naming textureFolder, where
// the pictures are. False when the lines are unusable or the file cannot be written.
bool WriteModelFile(int16_t kind, const std::string& workFolder, const std::string& textureFolder,
                    const ModelLines& lines);
bool WriteModelFile(int16_t kind, const std::string& workFolder, const std::string& textureFolder);

// Re-creates the model file with length 0 once the scene has loaded it.
bool TruncateModelFile(const std::string& workFolder);
