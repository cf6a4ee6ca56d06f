#include "WorkFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cstdio>

namespace {

// Root ignores permission bits, so only an actual attempt tells whether a folder takes files.
bool CanCreateFilesIn(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(WorkFilePath(folder, QStringLiteral(".kestrova-probe-XXXXXX")));
    return probe.open();
}

}  // namespace

QString ChooseWorkFolder(const QString& programFolder)
{
    if (CanCreateFilesIn(programFolder))
        return programFolder;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(cache);
    return cache;
}

QString WorkFilePath(const QString& folder, const QString& fileName)
{
    return folder + QLatin1Char('/') + fileName;
}

bool ReplaceFile(const QString& path, const QByteArray& content)
{
    const QFileInfo target(path);
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral("-XXXXXX"));
    if (!file.open())
        return false;
    if (file.write(content) != content.size() || !file.flush())
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    // rename(2) replaces the directory entry itself, a link included; QFile::rename
    // refuses an existing destination.
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return false;
    file.setAutoRemove(false);
    return true;
}
