#include "MidiFileCheck.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr uint32_t DefaultTempo = 500000;  // microseconds per quarter note, 120 beats a minute

struct TempoChange {
    uint64_t Tick;
    uint32_t MicrosecondsPerQuarter;
};

uint32_t BigEndian(std::span<const uint8_t> bytes, size_t at, size_t count)
{
    uint32_t value = 0;
    for (size_t i = 0; i < count; ++i)
        value = (value << 8) | bytes[at + i];
    return value;
}

// Reads the events of one track, collecting its tempo changes; the track's last tick,
// or nothing (with the reason) when the synthesizer would refuse it.
class TrackReader {
public:
    TrackReader(std::span<const uint8_t> track, std::vector<TempoChange>* tempos) : track_(track), tempos_(tempos) {}

    std::optional<uint64_t> Read(std::string* error)
    {
        uint8_t running = 0;
        while (at_ < track_.size()) {
            const std::optional<uint32_t> delta = Number();
            if (!delta)
                return Fail(error, "a delta time runs past its track");
            tick_ += *delta;
            if (at_ >= track_.size())
                return Fail(error, "a track ends inside an event");
            uint8_t status = track_[at_];
            if (status < 0x80) {
                if (running == 0)
                    return Fail(error, "an event has no status");
                status = running;
            } else {
                ++at_;
            }
            if (status < 0xF0) {
                running = status;
                const size_t data = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
                if (!Skip(data))
                    return Fail(error, "a track ends inside an event");
            } else if (status == 0xF0 || status == 0xF7) {
                const std::optional<uint32_t> length = Number();
                if (!length || !Skip(*length))
                    return Fail(error, "a system exclusive message runs past its track");
            } else if (status == 0xFF) {
                std::optional<bool> ended = Meta(error);
                if (!ended)
                    return std::nullopt;
                if (*ended)
                    break;
            } else {
                return Fail(error, "a track holds a real-time message");
            }
        }
        return tick_;
    }

private:
    static std::nullopt_t Fail(std::string* error, const char* reason)
    {
        *error = reason;
        return std::nullopt;
    }

    // A variable-length number: at most four bytes, seven bits each.
    std::optional<uint32_t> Number()
    {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            if (at_ >= track_.size())
                return std::nullopt;
            const uint8_t byte = track_[at_++];
            value = (value << 7) | (byte & 0x7F);
            if ((byte & 0x80) == 0)
                return value;
        }
        return std::nullopt;
    }

    bool Skip(size_t count)
    {
        if (count > track_.size() - at_)
            return false;
        at_ += count;
        return true;
    }

    // A meta event: true at the end of the track. The synthesizer refuses these
    // events in any other length.
    std::optional<bool> Meta(std::string* error)
    {
        if (at_ >= track_.size())
            return Fail(error, "a track ends inside an event");
        const uint8_t type = track_[at_++];
        const std::optional<uint32_t> length = Number();
        const size_t start = at_;
        if (!length || !Skip(*length))
            return Fail(error, "a meta event runs past its track");
        const std::optional<uint32_t> required = type == 0x2F   ? 0
                                                 : type == 0x51 ? 3
                                                 : type == 0x54 ? 5
                                                 : type == 0x58 ? 4
                                                 : type == 0x59 ? 2
                                                                : std::optional<uint32_t>();
        if (required && *length != *required)
            return Fail(error, "a meta event has the wrong length");
        if (type == 0x51) {
            const uint32_t tempo = BigEndian(track_, start, 3);
            if (tempo == 0)
                return Fail(error, "a tempo of zero");
            tempos_->push_back({tick_, tempo});
        }
        return type == 0x2F;
    }

    std::span<const uint8_t> track_;
    std::vector<TempoChange>* tempos_;
    size_t at_ = 0;
    uint64_t tick_ = 0;
};

double SecondsTo(uint64_t endTick, std::vector<TempoChange> tempos, uint32_t ticksPerQuarter)
{
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.Tick < b.Tick; });
    double microseconds = 0;
    uint64_t tick = 0;
    uint32_t tempo = DefaultTempo;
    for (const TempoChange& change : tempos) {
        if (change.Tick >= endTick)
            break;
        microseconds += double(change.Tick - tick) * tempo / ticksPerQuarter;
        tick = change.Tick;
        tempo = change.MicrosecondsPerQuarter;
    }
    microseconds += double(endTick - tick) * tempo / ticksPerQuarter;
    return microseconds / 1e6;
}

bool PrintableId(std::span<const uint8_t> id)
{
    return std::all_of(id.begin(), id.end(), [](uint8_t c) { return c >= 0x20 && c < 0x7F; });
}

} // namespace

bool CheckMidiFile(std::span<const uint8_t> bytes, double* seconds, std::string* error)
{
    if (bytes.size() < 14 || BigEndian(bytes, 0, 4) != 0x4D546864 || BigEndian(bytes, 4, 4) != 6) {
        *error = "not a standard MIDI file";
        return false;
    }
    const uint32_t tracks = BigEndian(bytes, 10, 2);
    const uint32_t division = BigEndian(bytes, 12, 2);
    if (tracks == 0) {
        *error = "a MIDI file without tracks";
        return false;
    }
    if (division & 0x8000) {
        *error = "SMPTE-timed MIDI files cannot be played";
        return false;
    }
    if (division == 0) {
        *error = "a MIDI file with no ticks to a beat";
        return false;
    }

    std::vector<TempoChange> tempos;
    uint64_t endTick = 0;
    size_t at = 14;
    for (uint32_t found = 0; found < tracks;) {
        if (bytes.size() - at < 8) {
            *error = "the MIDI file is cut short: a track is missing";
            return false;
        }
        const std::span<const uint8_t> id = bytes.subspan(at, 4);
        const uint32_t length = BigEndian(bytes, at + 4, 4);
        at += 8;
        if (length > bytes.size() - at) {
            *error = "the MIDI file is cut short inside a track";
            return false;
        }
        if (BigEndian(id, 0, 4) == 0x4D54726B) {
            const std::optional<uint64_t> last = TrackReader(bytes.subspan(at, length), &tempos).Read(error);
            if (!last)
                return false;
            endTick = std::max(endTick, *last);
            ++found;
        } else if (!PrintableId(id)) {
            *error = "the MIDI file holds a damaged chunk";
            return false;
        }
        at += length;
    }
    if (endTick == 0) {
        *error = "the MIDI piece lasts no time";
        return false;
    }
    *seconds = SecondsTo(endTick, std::move(tempos), division);
    return true;
}
