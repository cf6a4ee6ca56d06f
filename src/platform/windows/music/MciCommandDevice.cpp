#include "MciCommandDevice.h"

#include "WideText.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdio>

int MciCommandDevice::SendString(const std::string& command, std::string* reply)
{
    std::wstring buffer(reply ? reply->size() : 0, L'\0');
    const MCIERROR result = mciSendStringW(WideOfUtf8(command).c_str(), reply ? buffer.data() : nullptr,
                                           UINT(buffer.size()), nullptr);
    if (reply && result == 0) {
        const std::string text = Utf8OfWide(buffer.c_str());
        const size_t length = std::min(text.size(), reply->size());
        reply->replace(0, length, text, 0, length);
    }
    return int(result);
}

void MciCommandDevice::Execute(const std::string& command)
{
    const MCIERROR result = mciSendStringW(WideOfUtf8(command).c_str(), nullptr, 0, nullptr);
    if (result == 0)
        return;
    wchar_t text[256] = {};
    mciGetErrorStringW(result, text, 256);
    std::fprintf(stderr, "kestrova-saver: \"%s\" failed: %s\n", command.c_str(), Utf8OfWide(text).c_str());
}
