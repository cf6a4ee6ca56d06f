#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QFileInfo;
class QWidget;

// One entry of a file chooser's type list: the caption the user reads and the
// name patterns it lets through (matched regardless of case).
struct FileFilter {
    QString caption;
    QStringList patterns;
    // Also let through files the user may execute, whatever their name: on this
    // system programs seldom carry an extension.
    bool executables = false;
};

// Asks the user for an existing file. The chooser opens in the folder named by
// initialText (or the folder of the file it names) with the first filter active.
// Returns the chosen file's absolute path, or an empty string when cancelled.
QString SelectFile(QWidget* owner, const QList<FileFilter>& filters, const QString& initialText);

// True when a file passes an `executables` filter: a regular file that is named
// *.exe or that the user may execute.
bool IsProgramFile(const QFileInfo& info);
