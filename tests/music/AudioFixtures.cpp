#include "AudioFixtures.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "MixerLibrary.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

DiskAudio::DiskAudio(const QString& file, bool realTime) : file_(file)
{
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", QFile::encodeName(file).constData(), 1);
    if (realTime)
        unsetenv("SDL_DISKAUDIODELAY");
    else
        setenv("SDL_DISKAUDIODELAY", "0", 1);
}

std::vector<double> DiskAudio::BlockLevels() const
{
    QFile file(file_);
    std::vector<double> levels;
    if (!file.open(QIODevice::ReadOnly))
        return levels;
    constexpr qint64 BlockSamples = 4096;
    while (true) {
        const QByteArray block = file.read(BlockSamples * 2);
        if (block.size() < BlockSamples * 2)
            break;
        const auto* samples = reinterpret_cast<const int16_t*>(block.constData());
        double sum = 0;
        for (qint64 i = 0; i < BlockSamples; ++i)
            sum += double(samples[i]) * samples[i];
        levels.push_back(std::sqrt(sum / BlockSamples));
    }
    return levels;
}

qint64 DiskAudio::BytesWritten() const
{
    return QFileInfo(file_).size();
}

double LoudestLevel(const std::vector<double>& levels)
{
    double loudest = 0;
    for (double level : levels)
        loudest = std::max(loudest, level);
    return loudest;
}

int CountBursts(const std::vector<double>& levels, double threshold)
{
    int bursts = 0;
    bool inBurst = false;
    for (double level : levels) {
        const bool loud = level > threshold;
        if (loud && !inBurst)
            ++bursts;
        inBurst = loud;
    }
    return bursts;
}

namespace {

void Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    ASSERT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    ASSERT_EQ(process.exitCode(), 0) << program.toStdString() << ": " << process.readAllStandardError().toStdString();
}

} // namespace

void MakeToneWav(const QString& path, double seconds)
{
    Run(QStringLiteral("sox"), {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("44100"),
                                QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-b"), QStringLiteral("16"),
                                path, QStringLiteral("synth"), QString::number(seconds), QStringLiteral("sine"),
                                QStringLiteral("440"), QStringLiteral("vol"), QStringLiteral("0.5")});
}

void MakeToneMp3(const QString& path, double seconds)
{
    const QString wav = path + QStringLiteral(".wav");
    MakeToneWav(wav, seconds);
    Run(QStringLiteral("lame"), {QStringLiteral("--quiet"), wav, path});
    QFile::remove(wav);
}

void WriteChordMidi(const QString& path)
{
    const unsigned char track[] = {
        0x00, 0xC0, 0x00,                                // program 0, acoustic grand piano
        0x00, 0x90, 0x3C, 0x64, 0x00, 0x90, 0x40, 0x64,  // C4 and E4 on
        0x00, 0x90, 0x43, 0x64,                          // G4 on
        0x81, 0x40, 0x80, 0x3C, 0x00,                    // after 192 ticks (one second): off
        0x00, 0x80, 0x40, 0x00, 0x00, 0x80, 0x43, 0x00,
        0x00, 0xFF, 0x2F, 0x00,                          // end of track
    };
    QByteArray bytes("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14);  // type 0, one track, 96 ticks per beat
    bytes += QByteArray("MTrk", 4);
    const uint32_t length = sizeof(track);
    bytes += char(length >> 24);
    bytes += char(length >> 16);
    bytes += char(length >> 8);
    bytes += char(length);
    bytes += QByteArray(reinterpret_cast<const char*>(track), sizeof(track));
    WriteTextFile(path, bytes);
}

void WriteTextFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(text);
}

bool WaitForMusicToEnd()
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (Mixer().Mix_PlayingMusic()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}
