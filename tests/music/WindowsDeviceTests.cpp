// The Windows music devices for real, under Wine: the command strings through the
// multimedia command interface, the hidden player process, the DirectShow media player.
// What is played is heard through an ALSA file device (the .asoundrc in the test's HOME
// sends Wine's output into the file KESTROVA_AUDIO_CAPTURE names, 16-bit stereo 44.1 kHz).
#include "MusicController.h"
#include "Platform.h"
#include "WideText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr double Audible = 100;  // RMS of a block, full scale 32768: about -50 dBFS
constexpr double BlockSeconds = 2048 / 44100.0;

// A 440 Hz sine at half of full scale, mono 44.1 kHz.
void WriteToneWav(const fs::path& path, double seconds)
{
    const uint32_t frames = uint32_t(seconds * 44100);
    std::vector<int16_t> samples(frames);
    for (uint32_t i = 0; i < frames; ++i)
        samples[i] = int16_t(16384 * std::sin(2 * std::numbers::pi * 440 * i / 44100.0));
    const uint32_t dataSize = frames * 2;
    auto u32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    auto u16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    std::ofstream file(path, std::ios::binary);
    file << "RIFF" << u32(36 + dataSize) << "WAVEfmt " << u32(16) << u16(1) << u16(1) << u32(44100)
         << u32(88200) << u16(2) << u16(16) << "data" << u32(dataSize);
    file.write(reinterpret_cast<const char*>(samples.data()), dataSize);
}

// The files Wine's output goes to: the device makes a new one, numbered, each time it
// is opened.
std::vector<fs::path> CaptureFiles()
{
    std::string capture = std::getenv("KESTROVA_AUDIO_CAPTURE");
    for (char& c : capture)
        c = c == '/' ? '\\' : c;
    const fs::path first("Z:" + capture);
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(first.parent_path()))
        if (entry.path().filename().wstring().starts_with(first.filename().wstring()))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

void ForgetCapturedAudio()
{
    for (const fs::path& file : CaptureFiles())
        fs::remove(file);
}

// RMS of each block of 2048 stereo frames captured since ForgetCapturedAudio.
std::vector<double> CapturedLevels()
{
    std::vector<double> levels;
    std::vector<int16_t> block(2048 * 2);
    for (const fs::path& path : CaptureFiles()) {
        std::ifstream file(path, std::ios::binary);
        while (file.read(reinterpret_cast<char*>(block.data()), std::streamsize(block.size() * 2))) {
            double sum = 0;
            for (int16_t sample : block)
                sum += double(sample) * sample;
            levels.push_back(std::sqrt(sum / double(block.size())));
        }
    }
    return levels;
}

double LoudestLevel(const std::vector<double>& levels)
{
    return levels.empty() ? 0 : *std::max_element(levels.begin(), levels.end());
}

// How long the output sounded. Only what was played is in the file, not the pauses
// between plays, so a piece played twice sounds for twice its length.
double AudibleSeconds(const std::vector<double>& levels)
{
    return double(std::count_if(levels.begin(), levels.end(), [](double level) { return level > Audible; })) *
           BlockSeconds;
}

bool WaitFor(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

std::string Utf8(const fs::path& path)
{
    return Utf8OfWide(path.wstring());
}

// Passes the command strings on to the real device and keeps what was sent.
class Listening : public CommandStringDevice {
public:
    Listening(std::unique_ptr<CommandStringDevice> device, std::vector<std::string>& sent)
        : device_(std::move(device)), sent_(sent)
    {
    }
    int SendString(const std::string& command, std::string* reply) override
    {
        sent_.push_back(command);
        return device_->SendString(command, reply);
    }
    void Execute(const std::string& command) override
    {
        sent_.push_back(command);
        device_->Execute(command);
    }

private:
    std::unique_ptr<CommandStringDevice> device_;
    std::vector<std::string>& sent_;
};

class WindowsMusicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = fs::path(temp) / (L"kestrova music " + std::to_wstring(GetCurrentProcessId()));
        fs::create_directories(folder_);
        // Nothing has the output open between tests; each test hears only its own.
        ForgetCapturedAudio();
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    SaverSettings Settings(int16_t mode, const fs::path& playFile, int16_t soundVolume = 3000) const
    {
        SaverSettings settings;
        settings.MusicMode = mode;
        settings.PlayFile = Utf8(playFile);
        settings.SoundVolume = soundVolume;
        return settings;
    }
    std::string AppFolder() const { return Utf8(folder_) + "\\"; }

    // Plays the piece through the media player for two seconds.
    std::vector<double> MediaPlayerLevels(int16_t soundVolume)
    {
        ForgetCapturedAudio();
        MusicController music(Settings(3, folder_ / L"\u66F2.wav", soundVolume), AppFolder(), MakeMusicDevices());
        music.MusicControl(MusicController::Start);
        std::this_thread::sleep_for(2s);
        music.MusicControl(MusicController::Stop);
        return CapturedLevels();
    }

    fs::path folder_;
};

// The file's name is plain: Wine's wave device turns it into the ANSI code page, where
// Japanese survives only on a Japanese system (Windows keeps it UTF-16 throughout).
TEST_F(WindowsMusicTest, CommandStringsPlayAWavAndThePollRepeatsIt)
{
    WriteToneWav(folder_ / L"tone.wav", 0.5);
    std::vector<std::string> sent;
    {
        MusicDevices devices = MakeMusicDevices();
        devices.CommandDevice = std::make_unique<Listening>(std::move(devices.CommandDevice), sent);
        MusicController music(Settings(1, L"tone.wav"), AppFolder(), std::move(devices));
        music.MusicControl(MusicController::Start);
        ASSERT_EQ(sent, (std::vector<std::string>{"open \"" + AppFolder() + "tone.wav\" alias bgm", "play bgm notify"}));
        // Polled every two seconds as the show's timer does, until the piece was played again.
        ASSERT_TRUE(WaitFor([&] {
            std::this_thread::sleep_for(2s);
            music.MusicControl(MusicController::Poll);
            return sent.back() == "play bgm notify" && sent.size() > 2;
        }));
        std::this_thread::sleep_for(1s);
        music.MusicControl(MusicController::Stop);
    }
    EXPECT_EQ(sent.back(), "close bgm");
    const std::vector<double> levels = CapturedLevels();
    EXPECT_GT(LoudestLevel(levels), 5000);
    EXPECT_NEAR(AudibleSeconds(levels), 1.0, 0.2) << "the half-second piece was not played twice";
}

TEST_F(WindowsMusicTest, MediaPlayerRepeatsThePieceAndPlaysItThirtyDecibelsQuieterAtVolumeZero)
{
    WriteToneWav(folder_ / L"\u66F2.wav", 0.5);
    const std::vector<double> loud = MediaPlayerLevels(3000);
    const std::vector<double> quiet = MediaPlayerLevels(0);
    ASSERT_GT(LoudestLevel(loud), 5000);
    ASSERT_GT(LoudestLevel(quiet), 0);
    EXPECT_NEAR(20 * std::log10(LoudestLevel(quiet) / LoudestLevel(loud)), -30.0, 1.0);
    // Two seconds of a half-second piece: it was played again, more than once.
    EXPECT_GT(AudibleSeconds(loud), 1.2);
}

TEST_F(WindowsMusicTest, ThePlayerStartsHiddenWithTheFileClosesOnWmCloseAndLeavesNothingBehind)
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const fs::path player = fs::path(self).parent_path() / KESTROVA_TEST_PLAYER;
    const fs::path song = folder_ / L"\u66F2 1.mp3";
    SaverSettings settings = Settings(2, song);
    settings.PlayerApp = Utf8(player);
    auto music = std::make_unique<MusicController>(settings, AppFolder(), MakeMusicDevices());

    const fs::path log = fs::path(song.wstring() + L".log");
    auto lines = [&log] {
        std::vector<std::string> read;
        std::ifstream file(log);
        for (std::string line; std::getline(file, line);)
            read.push_back(line.starts_with("\xEF\xBB\xBF") ? line.substr(3) : line);
        return read;
    };
    auto logged = [&lines](const std::string& line) {
        const std::vector<std::string> read = lines();
        return std::find(read.begin(), read.end(), line) != read.end();
    };

    music->MusicControl(MusicController::Start);
    ASSERT_NE(music->PlayerTaskId(), 0u);
    ASSERT_TRUE(WaitFor([&] { return logged("ready"); }));
    EXPECT_TRUE(logged("args \"" + Utf8(player) + "\" \"" + Utf8(song) + "\""));
    EXPECT_TRUE(logged("show 0"));
    EXPECT_TRUE(logged("visible 0"));
    DWORD helperId = 0;
    for (const std::string& line : lines())
        if (line.starts_with("helper "))
            helperId = DWORD(std::stoul(line.substr(7)));
    HANDLE helper = OpenProcess(SYNCHRONIZE, FALSE, helperId);
    ASSERT_NE(helper, nullptr);

    music->MusicControl(MusicController::Stop);
    EXPECT_EQ(music->PlayerTaskId(), 0u);
    EXPECT_TRUE(WaitFor([&] { return logged("closed"); }));
    EXPECT_EQ(WaitForSingleObject(helper, 0), DWORD(WAIT_TIMEOUT)) << "the helper has no window to close";
    music.reset();
    EXPECT_EQ(WaitForSingleObject(helper, 10000), DWORD(WAIT_OBJECT_0)) << "what the player started outlived the show";
    CloseHandle(helper);
}

} // namespace
