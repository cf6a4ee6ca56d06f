#include "MixerCommandDevice.h"

#include "MixerCalls.h"
#include "MixerLibrary.h"

#include <cstdio>
#include <string_view>

namespace {

constexpr std::string_view OpenPrefix = "open ";
constexpr std::string_view OpenSuffix = " alias bgm";

const char* ResultText(int result)
{
    switch (result) {
    case CommandUnknown:
        return "unknown command";
    case CommandAliasInUse:
        return "the alias bgm is already open";
    case CommandAliasNotOpen:
        return "the alias bgm is not open";
    case CommandNoAudio:
        return "no audio output";
    case CommandBadFile:
        return "the file cannot be played";
    default:
        return "playback failed";
    }
}

} // namespace

int MixerCommandDevice::SendString(const std::string& command, std::string* reply)
{
    lastError_.clear();
    const std::string_view text(command);
    if (text.size() > OpenPrefix.size() + OpenSuffix.size() && text.starts_with(OpenPrefix)
        && text.ends_with(OpenSuffix)) {
        std::string_view path = text.substr(OpenPrefix.size(), text.size() - OpenPrefix.size() - OpenSuffix.size());
        if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
            path = path.substr(1, path.size() - 2);
        return Open(std::string(path));
    }
    if (text != "play bgm notify" && text != "status bgm mode" && text != "seek bgm to start"
        && text != "stop bgm" && text != "close bgm")
        return CommandUnknown;
    if (!music_)
        return CommandAliasNotOpen;

    if (text == "play bgm notify")
        return Play();
    if (text == "status bgm mode") {
        if (reply)
            *reply = Sounding() && !paused_ && !PastItsEnd() ? "playing" : "stopped";
    } else if (text == "seek bgm to start") {
        CallMixer([] { Mixer().Mix_HaltMusic(); });
        paused_ = false;
        atStart_ = true;
    } else if (text == "stop bgm") {
        if (Sounding() && !paused_) {
            CallMixer([] { Mixer().Mix_PauseMusic(); });
            paused_ = true;
            pausedAt_ = MixerOutput::SecondsPlayed();
        }
    } else {
        Close();
    }
    return CommandOk;
}

void MixerCommandDevice::Execute(const std::string& command)
{
    const int result = SendString(command, nullptr);
    if (result == CommandOk)
        return;
    std::fprintf(stderr, "kestrova-saver: music command \"%s\" failed: %s%s%s\n", command.c_str(),
                 ResultText(result), lastError_.empty() ? "" : ": ", lastError_.c_str());
}

int MixerCommandDevice::Open(const std::string& path)
{
    if (music_)
        return CommandAliasInUse;
    if (!output_.Open(&lastError_))
        return CommandNoAudio;
    music_ = LoadMixerMusic(path, &lastError_);
    if (!music_) {
        output_.Close();
        return CommandBadFile;
    }
    atStart_ = true;
    paused_ = false;
    return CommandOk;
}

int MixerCommandDevice::Play()
{
    if (paused_) {
        CallMixer([] { Mixer().Mix_ResumeMusic(); });
        paused_ = false;
        pausedFor_ += MixerOutput::SecondsPlayed() - pausedAt_;
        return CommandOk;
    }
    // Playing already, or at the end of the piece: nothing more to play from here.
    if (!atStart_)
        return CommandOk;
    Mix_Music* music = music_.get();
    const std::optional<std::string> failure =
        AskMixer<std::string>([music] { return Mixer().Mix_PlayMusic(music, 0) == 0 ? std::string() : Mixer().SDL_GetError(); });
    if (!failure || !failure->empty()) {
        lastError_ = failure ? *failure : "the audio output does not answer";
        return CommandPlayFailed;
    }
    atStart_ = false;
    startedAt_ = MixerOutput::SecondsPlayed();
    pausedFor_ = 0;
    return CommandOk;
}

bool MixerCommandDevice::PastItsEnd() const
{
    return music_.Seconds() > 0 && MixerOutput::SecondsPlayed() - startedAt_ - pausedFor_ >= music_.Seconds();
}

bool MixerCommandDevice::Sounding()
{
    return AskMixer<bool>([] { return Mixer().Mix_PlayingMusic() != 0; }).value_or(false);
}

void MixerCommandDevice::Close()
{
    CallMixer([] { Mixer().Mix_HaltMusic(); });
    music_.reset();
    output_.Close();
    paused_ = false;
    atStart_ = false;
}
