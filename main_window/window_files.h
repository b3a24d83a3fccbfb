// The main window's files: opening a page or script into the input box,
// the file's name in the title, File > Open Recent, and saving the output
// (a template read from a file in a legacy encoding is saved in it).
#pragma once

#include "script_writer/targets.h"

#include <QObject>
#include <QString>

#include <optional>

class QMainWindow;

namespace tagora {

namespace runtime {
class CodeTextBox;
}
class RecentFiles;

class WindowFiles : public QObject {
    Q_OBJECT
public:
    WindowFiles(QMainWindow* window, runtime::CodeTextBox* inputBox, RecentFiles* recentFiles);

    // The file opened last, and the encoding it was read in.
    QString openedFile() const { return openedFile_; }
    QString openedEncoding() const { return openedEncoding_; }

    // The file the user chooses, or none.
    QString askForFileToOpen(bool readsScript);
    // The file's text replaces the input, its line breaks taken as a paste
    // takes them; a large one goes in a slice at a time
    // (CodeTextBox::showText()). The text read, or none, with a message,
    // when it cannot be read.
    std::optional<QString> open(const QString& path);

    // What the save dialog offers.
    struct Saved {
        QString title;      // "PHP Script"
        QString extension;  // ".php"
        QString filter;     // "PHP scripts (*.php)"
    };
    // Saves the text as the user chooses; the template of a page in a
    // legacy language is saved in the opened file's encoding. The path
    // saved to, or none.
    std::optional<QString> save(const QString& text, const Saved& kind, std::optional<Target> templateOf);

private:
    void showInTitle();
    std::optional<QByteArray> bytesToSave(const QString& text, std::optional<Target> templateOf);
    QString codeBeyondAscii(const QString& text, Target language) const;
    QString proposedFile(const QString& extension) const;

    QMainWindow* window_;
    runtime::CodeTextBox* inputBox_;
    RecentFiles* recentFiles_;
    QString openedFile_;
    QString openedEncoding_;
    QString lastFolder_;  // the folder used last in a file dialog
};

}  // namespace tagora
