#include "RegistryStore.h"

#include "SettingEntries.h"
#include "WideText.h"

#include <windows.h>

#include <cwchar>
#include <optional>
#include <vector>

namespace {

// Closes a key handle when it goes out of scope.
class Key {
public:
    Key() = default;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key()
    {
        if (handle_)
            RegCloseKey(handle_);
    }
    HKEY* Out() { return &handle_; }
    HKEY Get() const { return handle_; }

private:
    HKEY handle_ = nullptr;
};

// A value's raw contents as the registry holds it, kept to put it back after a failed save.
struct RawValue {
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;
};

RawValue ReadRaw(HKEY key, const std::wstring& name)
{
    RawValue value;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return value;
    // The value may grow between the two calls; ask again until it fits.
    for (;;) {
        value.data.resize(size);
        const LONG result = RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            return {};
        value.data.resize(size);
        value.present = true;
        return value;
    }
}

// A REG_SZ value as UTF-8. Anything else (a missing value, a number or binary data
// written by another program) counts as missing, so the option takes its default.
std::optional<std::string> ReadText(HKEY key, const char* name)
{
    const RawValue raw = ReadRaw(key, WideOfUtf8(name));
    if (!raw.present || raw.type != REG_SZ)
        return std::nullopt;
    // The stored data need not end with a NUL, and ends at the first one it holds.
    std::wstring text(reinterpret_cast<const wchar_t*>(raw.data.data()), raw.data.size() / sizeof(wchar_t));
    text.resize(std::wcslen(text.c_str()));
    return Utf8OfWide(text);
}

bool OpenForReading(Key& key)
{
    return RegOpenKeyExW(HKEY_CURRENT_USER, SettingsRegistryPath, 0, KEY_QUERY_VALUE, key.Out()) == ERROR_SUCCESS;
}

LONG WriteText(HKEY key, const std::wstring& name, const std::wstring& text)
{
    return RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void PutBack(HKEY key, const std::wstring& name, const RawValue& old)
{
    if (old.present)
        RegSetValueExW(key, name.c_str(), 0, old.type, old.data.data(), static_cast<DWORD>(old.data.size()));
    else
        RegDeleteValueW(key, name.c_str());
}

std::string FailureText(LONG error)
{
    return "HKEY_CURRENT_USER\\" + Utf8OfWide(SettingsRegistryPath) + " に書き込めませんでした。" +
           SystemMessage(static_cast<DWORD>(error));
}

}  // namespace

void LoadSettings(SaverSettings& settings)
{
    Key key;
    const bool opened = OpenForReading(key);
    for (const SettingEntry& entry : SettingEntries)
        TakeStoredText(settings, entry, opened ? ReadText(key.Get(), entry.key) : std::nullopt);
}

int16_t ReadSettingInt(const char* name, int16_t defaultValue)
{
    Key key;
    if (!OpenForReading(key))
        return defaultValue;
    const std::optional<std::string> text = ReadText(key.Get(), name);
    return text ? ParseStoredInt(*text, defaultValue) : defaultValue;
}

bool SaveSettings(const SaverSettings& settings, std::string* errorText)
{
    Key key;
    LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, SettingsRegistryPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.Out(), nullptr);
    if (result != ERROR_SUCCESS) {
        if (errorText)
            *errorText = FailureText(result);
        return false;
    }
    // The registry writes one value at a time. If one write fails, the values already
    // written get their old contents back, so the store never holds half a save.
    std::vector<std::pair<std::wstring, RawValue>> written;
    for (const SettingEntry& entry : SettingEntries) {
        const std::wstring name = WideOfUtf8(entry.key);
        RawValue old = ReadRaw(key.Get(), name);
        result = WriteText(key.Get(), name, WideOfUtf8(StoredText(settings, entry)));
        if (result != ERROR_SUCCESS) {
            for (const auto& [writtenName, oldValue] : written)
                PutBack(key.Get(), writtenName, oldValue);
            if (errorText)
                *errorText = FailureText(result);
            return false;
        }
        written.emplace_back(name, std::move(old));
    }
    return true;
}
