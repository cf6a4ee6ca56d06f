#include "SaverSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <limits>

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
    return ParseStoredInt(value.toString(), defaultValue);
}

QString ReadString(const QSettings& store, const char* key)
{
    const QVariant value = store.value(QString::fromLatin1(Section) + '/' + QLatin1String(key));
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

// QSettings reports a parse failure only once it has read the file.
bool StoreIsUnreadable()
{
    QSettings store = OpenStore();
    store.allKeys();
    return store.status() == QSettings::FormatError;
}

}  // namespace

int16_t ParseStoredInt(const QString& text, int16_t defaultValue)
{
    if (text.isEmpty() || text.size() > 12)
        return defaultValue;
    int i = 0;
    const bool negative = text.at(0) == QLatin1Char('-');
    if (negative)
        i = 1;
    if (i == text.size())
        return defaultValue;
    long value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return defaultValue;
        value = value * 10 + (c.unicode() - '0');
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        return defaultValue;
    return static_cast<int16_t>(value);
}

QString SettingsFilePath()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base + QLatin1Char('/') + QLatin1String(Application) + QLatin1Char('/') + QLatin1String(Application)
           + QLatin1String(".ini");
}

int16_t ReadSettingInt(const char* key, int16_t defaultValue)
{
    const QSettings store = OpenStore();
    return ReadInt(store, key, defaultValue);
}

void LoadSettings(SaverSettings& s)
{
    const QSettings store = OpenStore();
    const SaverSettings d;
    s.FlightMode = ReadInt(store, "flight mode", d.FlightMode);
    s.BlueCount = ReadInt(store, "number of blue", d.BlueCount);
    s.BlueWait = ReadInt(store, "speed of blue", d.BlueWait);
    s.BlueStep = ReadInt(store, "step of blue", d.BlueStep);
    s.SmokeMode = ReadInt(store, "smoke mode", d.SmokeMode);
    s.SmokeLength = ReadInt(store, "length of smoke", d.SmokeLength);
    s.ComplementCount = ReadInt(store, "number of complement", d.ComplementCount);
    s.AirplaneKind = ReadInt(store, "kind of airplane", d.AirplaneKind);
    s.MusicMode = ReadInt(store, "music mode", d.MusicMode);
    s.PlayFile = ReadString(store, "play file");
    s.SoundVolume = ReadInt(store, "sound volume", d.SoundVolume);
    s.PlayerApp = ReadString(store, "player app");
    s.DisplayMode = ReadInt(store, "display mode", d.DisplayMode);
    s.BackgroundMode = ReadInt(store, "background mode", d.BackgroundMode);
    s.BackgroundFile = ReadString(store, "background file");
}

bool SaveSettings(const SaverSettings& s, QString* errorText)
{
    const QString path = SettingsFilePath();
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile()) {
        if (errorText)
            *errorText = QStringLiteral("%1 is not a file.").arg(path);
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

    store.beginGroup(QLatin1String(Section));
    auto putInt = [&](const char* key, int16_t v) { store.setValue(QLatin1String(key), QString::number(v)); };
    auto putString = [&](const char* key, const QString& v) { store.setValue(QLatin1String(key), v); };
    putInt("flight mode", s.FlightMode);
    putInt("number of blue", s.BlueCount);
    putInt("speed of blue", s.BlueWait);
    putInt("step of blue", s.BlueStep);
    putInt("smoke mode", s.SmokeMode);
    putInt("length of smoke", s.SmokeLength);
    putInt("number of complement", s.ComplementCount);
    putInt("kind of airplane", s.AirplaneKind);
    putInt("music mode", s.MusicMode);
    putString("play file", s.PlayFile);
    putInt("sound volume", s.SoundVolume);
    putString("player app", s.PlayerApp);
    putInt("display mode", s.DisplayMode);
    putInt("background mode", s.BackgroundMode);
    putString("background file", s.BackgroundFile);
    store.endGroup();

    // QSettings writes through a temporary file renamed over the old one, so a
    // crash mid-write leaves the previous file in place.
    store.sync();
    if (store.status() != QSettings::NoError) {
        if (errorText)
            *errorText = QStringLiteral("The settings could not be written to %1.").arg(path);
        return false;
    }
    return true;
}
