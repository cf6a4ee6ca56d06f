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
    QTemporaryFile probe(folder + QStringLiteral("/.kestrova-probe-XXXXXX"));
    return probe.open();
}

}  // namespace

std::string ChooseWorkFolder(const std::string& programFolder)
{
    if (CanCreateFilesIn(QString::fromStdString(programFolder)))
        return programFolder;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(cache);
    return cache.toStdString();
}

bool ReplaceFile(const std::string& path, std::string_view content)
{
    const QFileInfo target(QString::fromStdString(path));
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral("-XXXXXX"));
    if (!file.open())
        return false;
    if (file.write(content.data(), static_cast<qint64>(content.size())) != static_cast<qint64>(content.size()) ||
        !file.flush())
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    // rename(2) replaces the directory entry itself, a link included; QFile::rename
    // refuses an existing destination.
    if (std::rename(QFile::encodeName(file.fileName()).constData(), path.c_str()) != 0)
        return false;
    file.setAutoRemove(false);
    return true;
}

bool WriteModelFile(int16_t kind, const std::string& workFolder, const std::string& textureFolder,
                    const ModelLines& lines)
{
    if (!ModelLinesConsistent(lines))
        return false;
    return ReplaceFile(ModelFilePath(workFolder), ComposeModelFile(kind, textureFolder, lines));
}

bool WriteModelFile(int16_t kind, const std::string& workFolder, const std::string& textureFolder)
{
    ModelLines lines;
    return ReadModelLines(lines) && WriteModelFile(kind, workFolder, textureFolder, lines);
}

bool TruncateModelFile(const std::string& workFolder)
{
    return ReplaceFile(ModelFilePath(workFolder), {});
}
