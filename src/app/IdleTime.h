#pragma once

#include <QString>

#include <optional>

// The wait of --idle in milliseconds: whole minutes ("10"), or seconds with an s
// ("30s"); at least a second, at most a day. Nothing for anything else.
std::optional<int> ParseIdleTime(const QString& text);
