#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

enum class RunMode { Show, Preview, Options, Password, None };

struct CommandLine {
    QString Switch;          // first two characters after leading blanks ("/s" when empty)
    int32_t HostHandle = 0;  // decimal number read from the fourth character of the untrimmed line
};

// The command line as the screen-saver protocol sees it: the arguments joined by single blanks.
QString JoinArguments(const QStringList& arguments);

CommandLine ParseCommandLine(const QString& line);

// Switches are matched case by case on their first two characters only.
RunMode ModeForSwitch(const QString& switchText);
