#pragma once

#include <QByteArray>
#include <QString>

// The 3D show writes two work files ("readme2.txt", "bgi_tmp.bmp"). They go into the
// program's folder when it can be written, otherwise into the per-user cache folder.
QString ChooseWorkFolder(const QString& programFolder);

// The folder joined with the file name by one separator. A folder at the root keeps
// its own separator, so the root gives two in a row ("//readme2.txt").
QString WorkFilePath(const QString& folder, const QString& fileName);

// Replaces the file at path with content: a new file is written next to it and renamed
// over it, so a symbolic link planted at path is replaced and never followed. On
// failure nothing at path changes and false is returned.
bool ReplaceFile(const QString& path, const QByteArray& content);
