#pragma once

#include "SaverSettings.h"

#include <cstdint>
#include <string>

struct TraceOptions {
    uint64_t Seed = 1;
    int16_t Width = 1024;
    int16_t Height = 768;
    int Frames = 600;
    std::string PngFile;   // empty: no picture
    bool Csv = true;
    SaverSettings Settings;  // the record's defaults plus the --set overrides
};

// Parses the command line into options. On a mistake returns false with the reason in
// error; with --help returns false and an empty error.
bool ParseTraceOptions(int argc, char** argv, TraceOptions& options, std::string& error);

extern const char* const TraceUsage;
