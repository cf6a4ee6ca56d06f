#include "RunModes.h"

#include "JapaneseMessageBox.h"

int RunPasswordMode()
{
    // The default caption: with the show's title the box would pass for a running show,
    // and the instance guard would end every /s while it is open.
    JapaneseMessageBox(nullptr, "パスワード機能には対応していません。", "", MB_OK);
    return 0;
}
