#pragma once

#include "OptionChoices.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Texts the dialogs show besides their captions (UTF-8), and the file checks of OK.

// One entry of a file chooser's type list: what the user reads and the name patterns,
// separated by ';' ("*.*" is every file).
struct FilterPair {
    const char* caption;
    const char* patterns;
};

// The types offered for the music file: the system's own player (`soundPlayer` 0)
// takes no MP3, the other two routes do.
std::vector<FilterPair> MusicFileFilters(int soundPlayer);
std::vector<FilterPair> PlayerFileFilters();
std::vector<FilterPair> PictureFileFilters();

// The message OK shows for a file that does not exist (exclamation icon, OK button).
struct MissingFile {
    const char* firstLine;
    const char* title;
};

// The message's text: its first line, a line break and the request to choose again.
std::string MissingFileText(const MissingFile& missing);

// The first file OK finds missing among those the selected options use: the music
// file, then the external player, then the background picture. `exists` is the
// platform's test for an existing file (an empty name exists nowhere).
std::optional<MissingFile> FirstMissingFile(const OptionChoices& choices,
                                            const std::function<bool(const std::string&)>& exists);

// The message when the settings could not be saved (stop icon); the dialog stays open.
inline constexpr const char* SaveFailedTitle = "設定の保存エラー";
std::string SaveFailedText(const std::string& reason);

// The version dialog's heading.
inline constexpr const char* ProductName = "Kestrova";
inline constexpr const char* ProductKind = "スクリーンセイバー";
inline constexpr const char* RightsNotice = "© 2026 Kestrova Saver developers";
