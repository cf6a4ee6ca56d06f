#include "DialogTexts.h"

namespace {

constexpr FilterPair AllFiles{"全てのファイル(*.*)", "*.*"};

}  // namespace

std::vector<FilterPair> MusicFileFilters(int soundPlayer)
{
    if (soundPlayer == 0)
        return {{"音楽ファイル(*.mid,*.wav)", "*.mid;*.wav"}, AllFiles};
    return {{"音楽ファイル(*.mid,*.wav,*.mp3)", "*.mid;*.wav;*.mp3"}, AllFiles};
}

std::vector<FilterPair> PlayerFileFilters()
{
    return {{"外部プレイヤー(*.exe)", "*.exe"}, AllFiles};
}

std::vector<FilterPair> PictureFileFilters()
{
    return {{"画像ファイル(*.bmp,*.jpeg,*.jpg)", "*.bmp;*.jpg;*.jpeg"}, AllFiles};
}

std::string MissingFileText(const MissingFile& missing)
{
    return std::string(missing.firstLine) + "\nファイルを再指定して下さい。";
}

std::optional<MissingFile> FirstMissingFile(const OptionChoices& c,
                                            const std::function<bool(const std::string&)>& exists)
{
    const bool music = c.Sound == 1;
    if (music && !exists(c.PlayFile))
        return MissingFile{"曲ファイルが存在しません。", "曲ファイルの指定エラー"};
    if (music && c.SoundPlayer == 1 && !exists(c.Player))
        return MissingFile{"外部プレイヤーが存在しません。", "外部プレイヤーの指定エラー"};
    if (c.BgMode == 1 && !exists(c.BackgroundFile))
        return MissingFile{"画像ファイルが存在しません。", "画像ファイルの指定エラー"};
    return std::nullopt;
}

std::string SaveFailedText(const std::string& reason)
{
    return "設定を保存できませんでした。\n" + reason;
}
