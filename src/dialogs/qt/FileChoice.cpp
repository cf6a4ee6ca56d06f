#include "FileChoice.h"

#include "JapaneseFont.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace {

// Hides the files an `executables` filter does not let through while that filter is
// the active one. The name patterns of such a filter let every file reach it.
class ProgramFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetActive(bool active)
    {
        active_ = active;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        if (!active_)
            return true;
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || IsProgramFile(info);
    }

private:
    bool active_ = false;
};

// The chooser reads the patterns from the last pair of parentheses; the caption
// shown is what precedes them, so captions may hold parentheses of their own.
QString NameFilter(const FileFilter& filter)
{
    const QStringList patterns = filter.executables ? QStringList{QStringLiteral("*")} : filter.patterns;
    return filter.caption + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

void StartIn(QFileDialog& dialog, const QString& initialText)
{
    if (initialText.isEmpty())
        return;
    const QFileInfo start(initialText);
    if (start.isDir()) {
        dialog.setDirectory(start.absoluteFilePath());
    } else if (start.absoluteDir().exists()) {
        dialog.setDirectory(start.absolutePath());
        if (start.isFile())
            dialog.selectFile(start.fileName());
    }
}

}  // namespace

bool IsProgramFile(const QFileInfo& info)
{
    return info.isFile() &&
           (info.suffix().compare(QLatin1String("exe"), Qt::CaseInsensitive) == 0 || info.isExecutable());
}

QString SelectFile(QWidget* owner, const QList<FileFilter>& filters, const QString& initialText)
{
    QFileDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("fileChooser"));
    UseJapaneseFont(&dialog);
    // Qt's own chooser on every desktop: it honours the program filter below.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);

    QStringList nameFilters;
    for (const FileFilter& filter : filters)
        nameFilters << NameFilter(filter);
    dialog.setNameFilters(nameFilters);

    auto* programs = new ProgramFilter(&dialog);
    dialog.setProxyModel(programs);
    // The chooser reports a pick by the caption it shows, so look up the full filter.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&] {
        const qsizetype index = nameFilters.indexOf(dialog.selectedNameFilter());
        programs->SetActive(index >= 0 && filters[index].executables);
    });
    if (!filters.isEmpty()) {
        dialog.selectNameFilter(nameFilters.first());
        programs->SetActive(filters.first().executables);
    }
    StartIn(dialog, initialText);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QFileInfo(dialog.selectedFiles().first()).absoluteFilePath();
}
