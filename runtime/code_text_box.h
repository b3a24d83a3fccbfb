// The multi-line text box of the program's windows: plain text, long
// lines scroll instead of wrapping, both scroll bars always shown, Tab and
// Shift+Tab move the focus, Ctrl+Tab types a TAB, and TAB stops are every
// eight characters.
#pragma once

#include <QPlainTextEdit>

namespace tagora::runtime {

class CodeTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CodeTextBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateTabStops();
};

}  // namespace tagora::runtime
