#pragma once

// Installs Qt's own Japanese texts (file chooser, edit menus, standard buttons) for the
// rest of the process, whatever the locale: every window of the program is Japanese.
// False when Qt's translations are not installed; its texts then stay English.
bool InstallJapaneseQtTexts();
