// The "Code" viewer: a larger, resizable window showing a copy of a text.
#pragma once

#include <QMainWindow>

class QAction;
class QMenu;

namespace tagora::runtime {
class CodeTextBox;
}

class frm_Notepad : public QMainWindow {
    Q_OBJECT
public:
    // Opens centred over its parent, the window it is opened from, and
    // deletes itself when closed.
    explicit frm_Notepad(QWidget* parent = nullptr);

    // Shows the given text (CR LF between lines); edits stay in the viewer.
    void setText(const QString& text);

    // The menu commands.
    void copyAll();
    void showAbout();

    tagora::runtime::CodeTextBox* txtHelp = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuExit1 = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuCopy = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createTextBox();
    void createMenus();

    bool placed_ = false;
};
