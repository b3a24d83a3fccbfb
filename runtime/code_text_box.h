// The multi-line text box of the program's windows: plain text, long
// lines scroll instead of wrapping, both scroll bars always shown, Tab and
// Shift+Tab move the focus and Ctrl+Tab types a TAB.
#pragma once

#include <QPlainTextEdit>

namespace tagora::runtime {

class CodeTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CodeTextBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tagora::runtime
