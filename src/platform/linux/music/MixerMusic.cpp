#include "MixerMusic.h"

#include "MidiFileCheck.h"
#include "MixerCalls.h"
#include "MixerLibrary.h"
#include "WaveFileCheck.h"
#include "WaveStream.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Far beyond any real MIDI file; such a file is read whole before it is checked.
constexpr off_t MaxMidiBytes = 16 << 20;

size_t ReadFully(int file, uint64_t offset, uint8_t* into, size_t count)
{
    size_t done = 0;
    while (done < count) {
        const ssize_t got = pread(file, into + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    return done;
}

struct FileCloser {
    int File;
    ~FileCloser()
    {
        if (File >= 0)
            close(File);
    }
};

} // namespace

void MixerMusicDeleter::operator()(Mix_Music* music) const
{
    CallMixer([music] { Mixer().Mix_FreeMusic(music); });
}

MixerMusic& MixerMusic::operator=(MixerMusic&& other) noexcept
{
    if (this != &other) {
        reset();
        bytes_ = std::move(other.bytes_);
        music_ = std::move(other.music_);
        seconds_ = other.seconds_;
    }
    return *this;
}

void MixerMusic::reset()
{
    music_.reset();
    bytes_.clear();
    seconds_ = 0;
}

MixerMusic LoadMixerMusic(const std::string& path, std::string* error)
{
    MixerMusic loaded;
    FileCloser file{open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat info {};
    if (file.File < 0 || fstat(file.File, &info) != 0 || !S_ISREG(info.st_mode)) {
        *error = "no such file: " + path;
        return loaded;
    }
    const MixerLibrary& mixer = Mixer();
    uint8_t magic[12] = {};
    const size_t got = ReadFully(file.File, 0, magic, sizeof magic);
    SDL_RWops* stream = nullptr;
    if (got >= 4 && std::memcmp(magic, "MThd", 4) == 0) {
        if (info.st_size > MaxMidiBytes) {
            *error = path + ": too large for a MIDI file";
            return loaded;
        }
        loaded.bytes_.resize(static_cast<size_t>(info.st_size));
        loaded.bytes_.resize(ReadFully(file.File, 0, loaded.bytes_.data(), loaded.bytes_.size()));
        if (!CheckMidiFile(loaded.bytes_, &loaded.seconds_, error)) {
            *error = path + ": " + *error;
            return loaded;
        }
        stream = mixer.SDL_RWFromConstMem(loaded.bytes_.data(), static_cast<int>(loaded.bytes_.size()));
    } else if (got == sizeof magic && std::memcmp(magic, "RIFF", 4) == 0 && std::memcmp(magic + 8, "WAVE", 4) == 0) {
        WaveLayout layout;
        const ReadAt read = [&](uint64_t offset, std::span<uint8_t> into) {
            return ReadFully(file.File, offset, into.data(), into.size());
        };
        if (!CheckWaveFile(read, static_cast<uint64_t>(info.st_size), &layout, error)) {
            *error = path + ": " + *error;
            return loaded;
        }
        stream = OpenWaveStream(file.File, layout);
        file.File = -1;
    } else if (got >= 4 && (std::memcmp(magic, "RIFF", 4) == 0 || std::memcmp(magic, "FORM", 4) == 0)) {
        // Other RIFF forms (MIDI wrapped in RIFF) and AIFF would reach decoders that
        // are not checked here; they are not formats the program offers.
        *error = path + ": neither a MIDI, WAV nor MP3 file";
        return loaded;
    } else {
        stream = mixer.SDL_RWFromFile(path.c_str(), "rb");
    }
    if (!stream) {
        *error = path + ": " + mixer.SDL_GetError();
        loaded.reset();
        return loaded;
    }
    loaded.music_.reset(mixer.Mix_LoadMUS_RW(stream, 1));
    if (!loaded.music_) {
        *error = path + ": " + mixer.SDL_GetError();
        loaded.reset();
    }
    return loaded;
}
