#pragma once

class QWidget;

// Gives a window and its children a font with Japanese glyph shapes, keeping the
// application's point size. Without it fontconfig may fall back to a Chinese face
// for the kanji, or to none at all.
void UseJapaneseFont(QWidget* window);
