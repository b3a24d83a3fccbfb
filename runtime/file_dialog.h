// File dialogs: choosing a file to open and a file name to save under.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace tagora::runtime {

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind;
    QString title;
    QString path;  // Open: the folder to start in; Save: the proposed file
    QStringList filters;
};

// Shows the standard dialog and blocks until the user chooses; returns
// the chosen file, or an empty string when the user cancels. The save
// dialog asks before replacing a file and adds the first filter's
// extension when the user types none.
QString askForFileToOpen(QWidget* parent, const QString& title, const QString& folder,
                         const QStringList& filters);
QString askForFileToSave(QWidget* parent, const QString& title, const QString& proposedFile,
                         const QStringList& filters);

// Test hook: while set, the dialogs pass the request to the hook and
// return its answer instead of opening. Pass an empty function to remove it.
using FileDialogHook = std::function<QString(const FileDialogRequest&)>;
void setFileDialogHook(FileDialogHook hook);

}  // namespace tagora::runtime
