// Any settings file: loading never fails, and a record saved over it reads back unchanged.
#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir home;
    static const bool ready = [] {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        return QDir().mkpath(home.path() + QStringLiteral("/KestrovaSaver"));
    }();
    if (!ready)
        std::abort();

    QFile file(SettingsFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();

    SaverSettings loaded;
    LoadSettings(loaded);
    if (!SaveSettings(loaded))
        std::abort();
    SaverSettings again;
    LoadSettings(again);
    if (!(again == loaded))
        std::abort();
    return 0;
}
