#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

// A checked WAV file, reduced to what the decoder needs: a plain 44-byte header that
// the program wrote itself, followed by the file's samples.
struct WaveLayout {
    std::array<uint8_t, 44> Header{};
    uint64_t DataOffset = 0;  // where the samples start in the file
    uint64_t DataSize = 0;    // how many bytes of samples the file really holds
};

// Reads up to into.size() bytes at offset; returns how many it read.
using ReadAt = std::function<size_t(uint64_t offset, std::span<uint8_t> into)>;

// Checks a RIFF/WAVE file before the decoder sees it: the decoder trusts the format
// chunk (no channels divides by zero), its sampler-loop and tag chunks, and every
// chunk length. Only PCM (8, 16, 24, 32 bits), IEEE float (32, 64 bits), A-law and
// mu-law with 1 to 8 channels, a rate of 1 to 384 kHz and a consistent block size pass,
// and only the checked format and the samples are handed on.
bool CheckWaveFile(const ReadAt& read, uint64_t fileSize, WaveLayout* layout, std::string* error);
