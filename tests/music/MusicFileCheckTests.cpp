// The checks a music file passes before a decoder sees it.
#include "MidiFileCheck.h"
#include "WaveFileCheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Midi(const Bytes& track, uint16_t division = 96)
{
    Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, uint8_t(division >> 8), uint8_t(division)};
    const Bytes header = {'M', 'T', 'r', 'k', 0, 0, uint8_t(track.size() >> 8), uint8_t(track.size())};
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

// Middle C for 192 ticks (one second at the default tempo), with running status.
const Bytes Chord = {0x00, 0x90, 0x3C, 0x64, 0x81, 0x40, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00};

TEST(MidiFileCheck, MeasuresThePieceByItsTempoAndRefusesWhatTheSynthesizerCannotPlay)
{
    double seconds = 0;
    std::string error;
    ASSERT_TRUE(CheckMidiFile(Midi(Chord), &seconds, &error)) << error;
    EXPECT_DOUBLE_EQ(seconds, 1.0);

    // Half a beat at 120 a minute, then 60 a minute from tick 48.
    Bytes slower = {0x30, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40};
    slower.insert(slower.end(), Chord.begin(), Chord.end());  // from tick 48 to 240
    ASSERT_TRUE(CheckMidiFile(Midi(slower), &seconds, &error)) << error;
    EXPECT_DOUBLE_EQ(seconds, 0.25 + 192.0 / 96);

    Bytes cut = Midi(Chord);
    cut.resize(cut.size() * 2 / 3);
    const Bytes refused[] = {
        cut,
        Midi(Chord, 0xE728),                                        // SMPTE: 25 frames of 40 ticks
        Midi({0x00, 0xFF, 0x2F, 0x00}),                             // lasts no time
        Midi({0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1, 0x60, 0xFF, 0x2F, 0x00}),  // a tempo of two bytes
        Midi({0x00, 0x3C, 0x64, 0x60, 0xFF, 0x2F, 0x00}),           // no status to run on
        Midi({0x00, 0x90, 0x3C, 0x64, 0x80, 0x80, 0x80, 0x80, 0x00}),  // a five-byte delta
    };
    for (const Bytes& file : refused) {
        error.clear();
        EXPECT_FALSE(CheckMidiFile(file, &seconds, &error));
        EXPECT_FALSE(error.empty());
    }
}

Bytes Wave(uint16_t format, uint16_t channels, uint32_t rate, uint16_t blockAlign, uint16_t bits)
{
    Bytes file(44 + 8);
    auto put = [&](size_t at, uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            file[at + i] = uint8_t(value >> (8 * i));
    };
    std::memcpy(&file[0], "RIFF", 4);
    put(4, uint32_t(file.size() - 8), 4);
    std::memcpy(&file[8], "WAVEfmt ", 8);
    put(16, 16, 4);
    put(20, format, 2);
    put(22, channels, 2);
    put(24, rate, 4);
    put(28, rate * blockAlign, 4);
    put(32, blockAlign, 2);
    put(34, bits, 2);
    std::memcpy(&file[36], "data", 4);
    put(40, 8, 4);
    return file;
}

bool Check(const Bytes& file, WaveLayout* layout, std::string* error)
{
    const ReadAt read = [&](uint64_t offset, std::span<uint8_t> into) {
        const size_t count = offset < file.size() ? std::min(into.size(), size_t(file.size() - offset)) : 0;
        std::memcpy(into.data(), file.data() + offset, count);
        return count;
    };
    return CheckWaveFile(read, file.size(), layout, error);
}

TEST(WaveFileCheck, PassesOnlyAFormatTheDecoderSurvivesAndHandsOnAPlainHeader)
{
    WaveLayout layout;
    std::string error;
    Bytes stereo = Wave(1, 2, 44100, 4, 16);
    // A tag chunk of odd length (padded) before the samples; the decoder never sees it.
    const Bytes tag = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    stereo.insert(stereo.begin() + 36, tag.begin(), tag.end());
    ASSERT_TRUE(Check(stereo, &layout, &error)) << error;
    EXPECT_EQ(layout.DataOffset, 44u + tag.size());
    EXPECT_EQ(layout.DataSize, 8u);
    EXPECT_EQ(0, std::memcmp(layout.Header.data(), Wave(1, 2, 44100, 4, 16).data(), 44));

    Bytes cutSamples = Wave(1, 1, 8000, 2, 16);
    cutSamples.resize(cutSamples.size() - 3);  // the data chunk claims more than there is
    ASSERT_TRUE(Check(cutSamples, &layout, &error)) << error;
    EXPECT_EQ(layout.DataSize, 4u);

    Bytes formatCut = Wave(1, 1, 8000, 2, 16);
    formatCut.resize(30);
    const Bytes refused[] = {
        Wave(7, 0, 8000, 0, 8),       // mu-law without channels: a division by zero in the decoder
        Wave(1, 256, 8000, 0, 16),    // 256 channels, 0 to the decoder's 8-bit count
        Wave(2, 1, 8000, 1, 4),       // ADPCM
        Wave(1, 2, 0, 4, 16),         // no rate
        Wave(1, 2, 44100, 3, 16),     // block size that fits no frame
        Wave(3, 1, 44100, 2, 16),     // 16-bit float
        formatCut,
    };
    for (const Bytes& file : refused) {
        error.clear();
        EXPECT_FALSE(Check(file, &layout, &error));
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
