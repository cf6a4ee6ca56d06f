#include "MixerOutput.h"

#include "MixerCalls.h"
#include "MixerLibrary.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>

namespace {

int holders = 0;
std::atomic<uint64_t> bytesPlayed{0};
std::atomic<int> bytesPerSecond{1};

void CountBytes(void*, Uint8*, int length)
{
    bytesPlayed += static_cast<uint64_t>(length);
}

// Debian's SDL_mixer plays MIDI through FluidSynth only, which needs a General MIDI
// soundfont; the project's set-up installs this one.
constexpr const char* SoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr const char* FallbackSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";

bool FileExists(const char* path)
{
    struct stat info {};
    return stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

// Empty, or the reason no audio output opened.
std::string OpenMixer()
{
    const MixerLibrary& mixer = Mixer();
    // SDL would otherwise catch SIGINT and SIGTERM itself; the show turns them into
    // its own shutdown.
    mixer.SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (mixer.SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return mixer.SDL_GetError();
    mixer.Mix_Init(MIX_INIT_MID | MIX_INIT_MP3);
    if (mixer.Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        std::string error = mixer.SDL_GetError();
        mixer.Mix_Quit();
        mixer.SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return error;
    }
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    if (mixer.Mix_QuerySpec(&rate, &format, &channels) != 0)
        bytesPerSecond = std::max(rate * channels * static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8), 1);
    mixer.Mix_SetPostMix(CountBytes, nullptr);
    if (FileExists(SoundFont))
        mixer.Mix_SetSoundFonts(SoundFont);
    else if (FileExists(FallbackSoundFont))
        mixer.Mix_SetSoundFonts(FallbackSoundFont);
    return {};
}

} // namespace

MixerOutput::~MixerOutput()
{
    Close();
}

bool MixerOutput::Open(std::string* error)
{
    if (open_)
        return true;
    if (holders == 0) {
        if (!LoadMixerLibrary(error))
            return false;
        const std::optional<std::string> failure = AskMixer<std::string>(OpenMixer);
        if (!failure || !failure->empty()) {
            *error = failure ? *failure : "the audio output does not answer";
            return false;
        }
    }
    ++holders;
    open_ = true;
    return true;
}

double MixerOutput::SecondsPlayed()
{
    return static_cast<double>(bytesPlayed.load()) / bytesPerSecond;
}

void MixerOutput::Close()
{
    if (!open_)
        return;
    open_ = false;
    if (--holders > 0)
        return;
    CallMixer([] {
        const MixerLibrary& mixer = Mixer();
        mixer.Mix_HaltMusic();
        mixer.Mix_SetPostMix(nullptr, nullptr);
        mixer.Mix_CloseAudio();
        mixer.Mix_Quit();
        mixer.SDL_QuitSubSystem(SDL_INIT_AUDIO);
    });
}
