// Opens one of the dialogs on its own, for screenshots: show-dialog options|presets|version.
#include "OptionsDialog.h"
#include "PresetsDialog.h"
#include "VersionDialog.h"

#include <cstring>

int main(int argc, char** argv)
{
    const char* which = argc > 1 ? argv[1] : "options";
    if (std::strcmp(which, "presets") == 0) {
        SaverSettings settings;
        PresetsDialog(settings).Run(nullptr);
    } else if (std::strcmp(which, "version") == 0) {
        VersionDialog().Run(nullptr);
    } else {
        ShowOptionsDialog(nullptr);
    }
    return 0;
}
