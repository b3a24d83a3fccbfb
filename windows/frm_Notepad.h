// The "Code" viewer: a large, resizable window showing a read-only copy of
// a text.
#pragma once

#include "syntax_highlighter.h"

#include <QDialog>

class QMenuBar;

namespace tagora {

namespace runtime {
class CodeTextBox;
}

class frm_Notepad : public QDialog {
    Q_OBJECT
public:
    // Opens centred over its parent, the window it is opened from, and
    // deletes itself when closed. Show it with exec(). Escape closes it,
    // as it closes any modal window.
    explicit frm_Notepad(QWidget* parent = nullptr);

    // Shows the given text (CR LF between lines).
    void setText(const QString& text);
    // Colours the text as the box it comes from is coloured.
    void colourAs(runtime::SyntaxHighlighter::Language language, Target target);

    // The menu commands.
    void copyAll();
    void showAbout();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createTextBox();
    void createMenus();

    runtime::CodeTextBox* textBox_ = nullptr;  // "txtHelp"
    QMenuBar* menuBar_ = nullptr;
    runtime::SyntaxHighlighter* colours_ = nullptr;
    bool placed_ = false;
};

}  // namespace tagora
