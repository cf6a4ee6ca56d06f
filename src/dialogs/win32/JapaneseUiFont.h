#pragma once

#include <windows.h>

// The dialogs' font: one that holds Japanese on every Windows, whatever its display
// language. "Yu Gothic UI" is part of every Windows 8.1, 10 and 11 installation (the
// Japanese supplemental fonts, Meiryo among them, are an optional feature there);
// "Meiryo UI" comes with every Windows 7 and 8; "MS UI Gothic" with older ones. Without
// any of them the font mapper is asked for a Japanese font by character set. The
// stock dialog font (Segoe UI, Tahoma) has no Japanese and leans on font linking,
// which mixes faces and sizes within one caption.
HFONT CreateJapaneseUiFont(int points = 9, int weight = FW_NORMAL, bool underline = false);
