#include "FileOpen.h"

#include "WideText.h"

#include <commdlg.h>

namespace {

// Description and pattern of each pair, each ended by a NUL, the list by one more.
std::wstring FilterList(const std::vector<FilterPair>& filters)
{
    std::wstring list;
    for (const FilterPair& filter : filters) {
        list += WideOfUtf8(filter.caption);
        list += L'\0';
        list += WideOfUtf8(filter.patterns);
        list += L'\0';
    }
    list += L'\0';
    return list;
}

std::wstring StartFolder(const std::wstring& initialText)
{
    if (!FileExists(initialText))
        return initialText;
    const size_t slash = initialText.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : initialText.substr(0, slash);
}

}  // namespace

bool FileExists(const std::wstring& path)
{
    if (path.empty())
        return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring SelectFile(HWND owner, const std::vector<FilterPair>& filters, const std::wstring& initialText)
{
    const std::wstring filterList = FilterList(filters);
    const std::wstring folder = StartFolder(initialText);
    // Room for the longest path Windows accepts, not only MAX_PATH.
    std::wstring file(32768, L'\0');
    std::wstring title(MAX_PATH, L'\0');
    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.hInstance = GetModuleHandleW(nullptr);
    request.lpstrFilter = filterList.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrFileTitle = title.data();
    request.nMaxFileTitle = static_cast<DWORD>(title.size());
    request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&request))
        return {};
    file.resize(wcslen(file.c_str()));
    return file;
}
