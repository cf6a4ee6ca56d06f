#pragma once

class QWidget;

// Sizes a window to its contents and places it in the middle of the screen it is on
// (the primary screen for a window not yet shown).
void CenterOnScreen(QWidget* window);
