#include "RunModes.h"

int RunPasswordMode()
{
    MessageBoxW(nullptr, L"パスワード機能には対応していません。", ShowWindowTitle, MB_OK);
    return 0;
}
