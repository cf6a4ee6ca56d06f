#pragma once

#include <QString>
#include <QTemporaryDir>

#include <string>
#include <vector>

// Sends the mixer's output into a file of raw 16-bit stereo samples (SDL's disk
// driver), so a test can hear what was played on a machine without a sound card.
class DiskAudio {
public:
    // realTime false lets the mixer run as fast as it can.
    explicit DiskAudio(const QString& file, bool realTime = false);

    // RMS of each block of 4096 samples written so far, full scale 32768.
    std::vector<double> BlockLevels() const;
    qint64 BytesWritten() const;

private:
    QString file_;
};

// Loudest block, in RMS.
double LoudestLevel(const std::vector<double>& levels);

// Number of separate stretches of blocks louder than the threshold.
int CountBursts(const std::vector<double>& levels, double threshold);

// A 440 Hz sine at half of full scale, mono 44.1 kHz, made with sox.
void MakeToneWav(const QString& path, double seconds);
// The same tone as an MP3, made with lame.
void MakeToneMp3(const QString& path, double seconds);
// A one-second piano chord as a type 0 standard MIDI file.
void WriteChordMidi(const QString& path);

void WriteTextFile(const QString& path, const QByteArray& text);

// Waits (up to ten seconds) for the mixer to report its piece has ended.
bool WaitForMusicToEnd();
