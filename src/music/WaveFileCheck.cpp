#include "WaveFileCheck.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int MaxChunks = 4096;
constexpr uint16_t Pcm = 1, IeeeFloat = 3, ALaw = 6, MuLaw = 7, Extensible = 0xFFFE;

uint32_t Little(const uint8_t* bytes, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

void PutLittle(uint8_t* to, uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        to[i] = static_cast<uint8_t>(value >> (8 * i));
}

bool BitsFit(uint16_t format, uint16_t bits)
{
    switch (format) {
    case Pcm:
        return bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case IeeeFloat:
        return bits == 32 || bits == 64;
    case ALaw:
    case MuLaw:
        return bits == 8;
    default:
        return false;
    }
}

// Checks a format chunk's body and writes the plain format chunk that replaces it.
bool CheckFormat(std::span<const uint8_t> body, uint8_t* plain, std::string* error)
{
    uint16_t format = static_cast<uint16_t>(Little(&body[0], 2));
    if (format == Extensible) {
        if (body.size() < 40) {
            *error = "the WAV file's extended format is cut short";
            return false;
        }
        format = static_cast<uint16_t>(Little(&body[24], 2));
    }
    const uint32_t channels = Little(&body[2], 2);
    const uint32_t rate = Little(&body[4], 4);
    const uint32_t blockAlign = Little(&body[12], 2);
    const uint16_t bits = static_cast<uint16_t>(Little(&body[14], 2));
    if (format != Pcm && format != IeeeFloat && format != ALaw && format != MuLaw) {
        *error = "the WAV file's sample format " + std::to_string(format) + " cannot be played";
        return false;
    }
    if (!BitsFit(format, bits)) {
        *error = "the WAV file's " + std::to_string(bits) + "-bit samples cannot be played";
        return false;
    }
    if (channels < 1 || channels > 8) {
        *error = "a WAV file with " + std::to_string(channels) + " channels";
        return false;
    }
    if (rate < 1 || rate > 384000) {
        *error = "a WAV file at " + std::to_string(rate) + " samples a second";
        return false;
    }
    if (blockAlign != channels * (bits / 8)) {
        *error = "the WAV file's block size does not fit its channels and samples";
        return false;
    }
    PutLittle(plain, format, 2);
    PutLittle(plain + 2, channels, 2);
    PutLittle(plain + 4, rate, 4);
    PutLittle(plain + 8, rate * blockAlign, 4);
    PutLittle(plain + 12, blockAlign, 2);
    PutLittle(plain + 14, bits, 2);
    return true;
}

} // namespace

bool CheckWaveFile(const ReadAt& read, uint64_t fileSize, WaveLayout* layout, std::string* error)
{
    uint8_t riff[12];
    if (read(0, riff) != sizeof riff || std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) {
        *error = "not a WAV file";
        return false;
    }
    uint8_t* header = layout->Header.data();
    bool haveFormat = false;
    bool haveData = false;
    uint64_t at = 12;
    for (int chunks = 0; !(haveFormat && haveData) && fileSize - at >= 8; ++chunks) {
        if (chunks == MaxChunks) {
            *error = "a WAV file of too many chunks";
            return false;
        }
        uint8_t chunk[8];
        if (read(at, chunk) != sizeof chunk)
            break;
        const uint64_t length = Little(chunk + 4, 4);
        const uint64_t body = at + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && !haveFormat) {
            uint8_t format[40];
            const size_t wanted = static_cast<size_t>(std::min<uint64_t>(length, sizeof format));
            if (length < 16 || length > fileSize - body || read(body, std::span(format, wanted)) != wanted) {
                *error = "the WAV file's format is cut short";
                return false;
            }
            if (!CheckFormat(std::span<const uint8_t>(format, wanted), header + 20, error))
                return false;
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0 && !haveData) {
            layout->DataOffset = body;
            layout->DataSize = std::min(length, fileSize - body);
            haveData = true;
        }
        // Chunks are padded to an even length.
        at = body + length + (length & 1);
        if (at > fileSize)
            break;
    }
    if (!haveFormat || !haveData || layout->DataSize == 0) {
        *error = haveFormat ? "a WAV file without samples" : "a WAV file without a format";
        return false;
    }
    // Samples beyond the last whole frame are left out.
    const uint32_t blockAlign = Little(header + 32, 2);
    layout->DataSize -= layout->DataSize % blockAlign;
    if (layout->DataSize == 0 || layout->DataSize > 0xFFFFFFFFu - 36) {
        *error = layout->DataSize == 0 ? "a WAV file without samples" : "a WAV file too long to play";
        return false;
    }
    std::memcpy(header, "RIFF", 4);
    PutLittle(header + 4, static_cast<uint32_t>(36 + layout->DataSize), 4);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    PutLittle(header + 16, 16, 4);
    std::memcpy(header + 36, "data", 4);
    PutLittle(header + 40, static_cast<uint32_t>(layout->DataSize), 4);
    return true;
}
