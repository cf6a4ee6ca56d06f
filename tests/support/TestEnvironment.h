#pragma once

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>
#include <QString>

#include <cstdlib>

// A private home for one test: its own settings folder, runtime folder (locks) and
// cache folder, so tests never see the user's files or each other's.
class TestEnvironment {
public:
    TestEnvironment()
    {
        QDir(dir_.path()).mkpath(QStringLiteral("config"));
        QDir(dir_.path()).mkpath(QStringLiteral("runtime"));
        QDir(dir_.path()).mkpath(QStringLiteral("cache"));
        QFile::setPermissions(RuntimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        Set("XDG_CONFIG_HOME", ConfigDir());
        Set("XDG_RUNTIME_DIR", RuntimeDir());
        Set("XDG_CACHE_HOME", dir_.path() + QStringLiteral("/cache"));
    }

    QString Path() const { return dir_.path(); }
    QString ConfigDir() const { return dir_.path() + QStringLiteral("/config"); }
    QString RuntimeDir() const { return dir_.path() + QStringLiteral("/runtime"); }
    QString SettingsFile() const { return ConfigDir() + QStringLiteral("/KestrovaSaver/KestrovaSaver.ini"); }

private:
    static void Set(const char* name, const QString& value)
    {
        setenv(name, QFile::encodeName(value).constData(), 1);
    }

    QTemporaryDir dir_;
};
