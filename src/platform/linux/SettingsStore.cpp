#include "SettingsStore.h"

#include "LockFiles.h"
#include "SettingEntries.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

namespace {

constexpr const char* Application = "KestrovaSaver";
constexpr const char* Section = "Option";

// The path is worked out on every use (not cached as QSettings' own user scope is),
// so it always follows XDG_CONFIG_HOME.
QSettings OpenStore()
{
    return QSettings(SettingsFilePath(), QSettings::IniFormat);
}

int16_t ReadInt(const QSettings& store, const char* key, int16_t defaultValue)
{
    const QVariant value = store.value(QString::fromLatin1(Section) + '/' + QLatin1String(key));
    if (!value.isValid())
        return defaultValue;
    // A value written by hand with a comma is read back by QSettings as a list.
    if (value.userType() != QMetaType::QString)
        return defaultValue;
    return ParseStoredInt(value.toString().toStdString(), defaultValue);
}

std::string ReadString(const QSettings& store, const char* key)
{
    const QVariant value = store.value(QString::fromLatin1(Section) + '/' + QLatin1String(key));
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    return value.toString().toStdString();
}

// Only a regular file is read: a FIFO or a device in its place would block the read (or
// never end it) before the program can even act on a signal. Anything else gives defaults.
bool StoreIsReadable()
{
    const QFileInfo file(SettingsFilePath());
    return !file.exists() || file.isFile();
}

// A save killed as it took QSettings' lock leaves an empty lock file, which QSettings
// would wait 30 s for; one killed as it renamed its new file over the old one leaves the
// new file ("KestrovaSaver.ini.XXXXXX"). Both are cleared while holding that same lock,
// so the file of a save still in progress is never taken away.
void ClearLeftoversOfKilledSaves(const QString& path)
{
    QLockFile lock(path + QLatin1String(".lock"));
    if (!TryLockNow(lock))
        return;
    const QFileInfo file(path);
    const QRegularExpression leftover(QLatin1Char('^') + QRegularExpression::escape(file.fileName()) +
                                      QLatin1String("\\.[A-Za-z0-9]{6}$"));
    const QDir folder = file.absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (leftover.match(name).hasMatch())
            QFile::remove(folder.filePath(name));
    }
}

// QSettings reports a parse failure only once it has read the file.
bool StoreIsUnreadable()
{
    QSettings store = OpenStore();
    store.allKeys();
    return store.status() == QSettings::FormatError;
}

}  // namespace

QString SettingsFilePath()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base + QLatin1Char('/') + QLatin1String(Application) + QLatin1Char('/') + QLatin1String(Application)
           + QLatin1String(".ini");
}

int16_t ReadSettingInt(const char* key, int16_t defaultValue)
{
    if (!StoreIsReadable())
        return defaultValue;
    const QSettings store = OpenStore();
    return ReadInt(store, key, defaultValue);
}

void LoadSettings(SaverSettings& s)
{
    const SaverSettings d;
    if (!StoreIsReadable()) {
        s = d;
        return;
    }
    const QSettings store = OpenStore();
    for (const SettingEntry& entry : SettingEntries) {
        if (entry.integer)
            s.*entry.integer = ReadInt(store, entry.key, d.*entry.integer);
        else
            s.*entry.text = ReadString(store, entry.key);
    }
}

bool SaveSettings(const SaverSettings& s, std::string* errorText)
{
    const QString path = SettingsFilePath();
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile()) {
        if (errorText)
            *errorText = QStringLiteral("%1 はファイルではありません。").arg(path).toStdString();
        return false;
    }
    // QSettings refuses to rewrite a file it cannot parse. Its content is unusable
    // anyway; it is kept beside the new file rather than thrown away.
    if (StoreIsUnreadable()) {
        const QString kept = path + QLatin1String(".unreadable");
        QFile::remove(kept);
        QFile::rename(path, kept);
    }
    QSettings store = OpenStore();
    // The file is this program's own: anything outside its section is junk.
    for (const QString& key : store.allKeys()) {
        if (!key.startsWith(QLatin1String(Section) + QLatin1Char('/')))
            store.remove(key);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    ClearLeftoversOfKilledSaves(path);

    store.beginGroup(QLatin1String(Section));
    for (const SettingEntry& entry : SettingEntries)
        store.setValue(QLatin1String(entry.key), QString::fromStdString(StoredText(s, entry)));
    store.endGroup();

    // QSettings writes through a temporary file renamed over the old one, so a
    // crash mid-write leaves the previous file in place.
    store.sync();
    if (store.status() != QSettings::NoError) {
        if (errorText)
            *errorText = QStringLiteral("%1 に書き込めませんでした。").arg(path).toStdString();
        return false;
    }
    return true;
}
