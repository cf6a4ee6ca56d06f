#pragma once

#include <cstdint>

// The entries of the options dialog's drop-down lists, in list order, with the
// setting value each one stands for. Captions are UTF-8.
struct ListEntry {
    const char* caption;
    int16_t value;
};

inline constexpr ListEntry AirplaneEntries[] = {
    {"T-4 Kestrova", 0},
    {"T-2 Kestrova", 1},
    {"F-86 Kestrova", 2},
    {"F-18 ブルーエンジェルス", 3},
    {"F-16 サンダーバーズ", 4},
    {"F-117 ステルス戦闘機", 5},
    {"5分毎にランダムで選択", 101},
    {"T-4 Kestrova3D", 200},
    {"T-4 第13飛行教育団ﾆｭｰｽｷｰﾑ", 201},
};

inline constexpr ListEntry DisplayModeEntries[] = {
    {"画面のプロパティの設定", 0},
    {"フルスクリーン(640*480)", 1},
    {"フルスクリーン(320*240)", 2},
};

// "background mode" 1..8: the plain colours.
inline constexpr ListEntry BackgroundColourEntries[] = {
    {"黒", 1}, {"青", 2}, {"茶", 3}, {"紫", 4}, {"緑", 5}, {"シアン", 6}, {"黄土", 7}, {"灰", 8},
};
