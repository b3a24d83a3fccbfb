#include "file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace tagora::runtime {
namespace {

FileDialogHook& fileDialogHook()
{
    static FileDialogHook hook;
    return hook;
}

// "HTML files (*.html *.htm)" -> "html"
QString firstExtension(const QStringList& filters)
{
    if (filters.isEmpty())
        return QString();
    const QString filter = filters.front();
    const qsizetype star = filter.indexOf(QLatin1String("*."));
    if (star < 0)
        return QString();
    const qsizetype end = filter.indexOf(QRegularExpression(QStringLiteral("[ )]")), star);
    return filter.mid(star + 2, end < 0 ? -1 : end - star - 2);
}

QString ask(QWidget* parent, const FileDialogRequest& request)
{
    if (fileDialogHook())
        return fileDialogHook()(request);
    QFileDialog dialog(parent, request.title);
    dialog.setNameFilters(request.filters);
    if (request.kind == FileDialogKind::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (!request.path.isEmpty())
            dialog.setDirectory(request.path);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(firstExtension(request.filters));
        const QFileInfo proposed(request.path);
        dialog.setDirectory(proposed.absolutePath());
        dialog.selectFile(proposed.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().front();
}

}  // namespace

QString askForFileToOpen(QWidget* parent, const QString& title, const QString& folder,
                         const QStringList& filters)
{
    return ask(parent, {FileDialogKind::Open, title, folder, filters});
}

QString askForFileToSave(QWidget* parent, const QString& title, const QString& proposedFile,
                         const QStringList& filters)
{
    return ask(parent, {FileDialogKind::Save, title, proposedFile, filters});
}

void setFileDialogHook(FileDialogHook hook)
{
    fileDialogHook() = std::move(hook);
}

}  // namespace tagora::runtime
