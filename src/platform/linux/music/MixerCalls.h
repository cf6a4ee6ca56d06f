#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

// The mixer's calls that wait for its audio thread run on a thread of their own. A
// decoder that hangs inside the audio thread holds the mixer's lock for ever; the show
// then gives up on the mixer after MixerCallBound instead of hanging with it, so the
// music falls silent and the show still ends. Once the late call finishes, the mixer
// answers again.
inline constexpr std::chrono::milliseconds MixerCallBound{1000};

// Runs call on the mixer's thread and waits for it at most MixerCallBound. False when
// it did not finish in time, or at once (without running it) while an earlier call has
// not. call must own everything it uses: it may run after the caller has gone on.
bool CallMixer(std::function<void()> call);

// Asks the mixer for a value on its thread; nothing when it did not answer in time.
template <typename T>
std::optional<T> AskMixer(std::function<T()> ask)
{
    auto answer = std::make_shared<T>();
    if (!CallMixer([ask = std::move(ask), answer] { *answer = ask(); }))
        return std::nullopt;
    return *answer;
}
