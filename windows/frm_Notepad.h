// The "Code" viewer: a larger, resizable window showing a copy of a text.
#pragma once

#include <QDialog>

class QAction;
class QMenu;
class QMenuBar;

#include "syntax_highlighter.h"

namespace tagora::runtime {
class CodeTextBox;
}

class frm_Notepad : public QDialog {
    Q_OBJECT
public:
    // Opens centred over its parent, the window it is opened from, and
    // deletes itself when closed. Show it with exec(). Escape closes it,
    // as it closes any modal window.
    explicit frm_Notepad(QWidget* parent = nullptr);

    // Shows the given text (CR LF between lines); edits stay in the viewer.
    void setText(const QString& text);
    // Colours the text as the box it comes from is coloured.
    void colourAs(tagora::runtime::SyntaxHighlighter::Language language, tagora::Target target);

    // The menu commands.
    void copyAll();
    void showAbout();

    QMenuBar* menuBar() const { return menuBar_; }

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

    QMenuBar* menuBar_ = nullptr;
    tagora::runtime::SyntaxHighlighter* colours_ = nullptr;
    bool placed_ = false;
};
