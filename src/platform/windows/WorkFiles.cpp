// The 3D show's work files on Windows (Platform.h): the program's folder when it can be
// written, otherwise %LOCALAPPDATA%\KestrovaSaver (the usual case for a saver under
// Program Files or the Windows folder). A folder that is a link (reparse point) is never
// used, and files are written beside their place and renamed over it, so a link planted
// at a work file's name is replaced, never followed.
#include "Platform.h"
#include "WideText.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <atomic>

namespace {

bool IsPlainFolder(const std::wstring& folder)
{
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// A name beside path that no other writer uses.
std::wstring ScratchName(const std::wstring& path)
{
    static std::atomic<unsigned> counter{0};
    const size_t cut = path.find_last_of(L"\\/");
    return path.substr(0, cut + 1) + L"." + path.substr(cut + 1) + L"-" + std::to_wstring(GetCurrentProcessId()) +
           L"-" + std::to_wstring(++counter);
}

// Never opens through a link: a link at the name counts as an existing file.
HANDLE CreateNewFile(const std::wstring& path, DWORD flags)
{
    return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT | flags, nullptr);
}

// Permissions alone do not tell (an administrator, a read-only medium): only an actual
// attempt does.
bool CanCreateFilesIn(const std::wstring& folder)
{
    if (!IsPlainFolder(folder))
        return false;
    const HANDLE probe = CreateNewFile(ScratchName(folder + L"\\.kestrova-probe"), FILE_FLAG_DELETE_ON_CLOSE);
    if (probe == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(probe);
    return true;
}

std::wstring LocalAppDataFolder()
{
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path)))
        folder = path;
    CoTaskMemFree(path);
    return folder;
}

std::wstring WithoutTrailingSeparator(std::wstring folder)
{
    // A drive root keeps its separator ("C:\").
    if (folder.size() > 3 && folder.back() == L'\\')
        folder.pop_back();
    return folder;
}

}  // namespace

std::string ChooseWorkFolder(const std::string& programFolder)
{
    const std::wstring program = WithoutTrailingSeparator(WideOfUtf8(programFolder));
    if (CanCreateFilesIn(program))
        return Utf8OfWide(program);
    const std::wstring base = LocalAppDataFolder();
    if (base.empty() || !IsPlainFolder(base))
        return {};
    const std::wstring own = base + L"\\KestrovaSaver";
    CreateDirectoryW(own.c_str(), nullptr);
    return CanCreateFilesIn(own) ? Utf8OfWide(own) : std::string();
}

bool ReplaceFile(const std::string& pathUtf8, std::string_view content)
{
    const std::wstring path = WideOfUtf8(pathUtf8);
    const std::wstring scratch = ScratchName(path);
    const HANDLE file = CreateNewFile(scratch, 0);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool written = true;
    size_t done = 0;
    while (written && done < content.size()) {
        DWORD wrote = 0;
        const auto chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 20));
        written = WriteFile(file, content.data() + done, chunk, &wrote, nullptr) && wrote == chunk;
        done += wrote;
    }
    CloseHandle(file);
    // The rename replaces the directory entry itself, a link included.
    if (!written || !MoveFileExW(scratch.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(scratch.c_str());
        return false;
    }
    return true;
}
