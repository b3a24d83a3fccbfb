// The multi-line text box of the program's windows: plain text, long
// lines scroll instead of wrapping, both scroll bars always shown, Tab and
// Shift+Tab move the focus, Ctrl+Tab types a TAB, and TAB stops are every
// eight characters. Pasted and dropped text passes through textForEditor();
// a dropped file is not inserted but announced by fileDropped().
#pragma once

#include <QPlainTextEdit>
#include <QTextBlock>

namespace tagora::runtime {

class CodeTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CodeTextBox(QWidget* parent = nullptr);
    ~CodeTextBox() override;

    // While the box holds a line longer than this, its caret does not blink
    // and its font skips text shaping where the script does not need it
    // (QFont::PreferNoShaping): each change or blink of such a line would
    // otherwise shape it whole again, a second for a megabyte. Shorter
    // lines are shaped, so that combining marks sit on their letters.
    static constexpr int kLongestBlinkingLine = 10'000;
    static bool caretBlinks();

    // Line numbers in a margin on the left, as code editors show them.
    void setLineNumbersShown(bool shown);
    bool lineNumbersShown() const { return lineNumbers_ != nullptr; }
    // The margin's width.
    int lineNumberWidth() const;

signals:
    void fileDropped(const QString& path);
    // Text was pasted or dropped into the box.
    void textPasted();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class LineNumberArea;
    bool holdsLongLine_ = false;
    QWidget* lineNumbers_ = nullptr;

    void paintLineNumbers(QPaintEvent* event);
    void updateLineNumberMargin();

    void updateTabStops();
    void updateCaretBlinking();
    void updateShaping();
    void noteChange(int position, int removed, int added);
    static void setCaretBlinking(bool blinking);
};

// Whether the document holds a line longer than `longest` after a change
// (QTextDocument::contentsChange), given whether it did before: only the
// changed lines can have grown, and a removal can have shortened one.
bool holdsLineLongerThan(const QTextDocument* document, int longest, bool heldBefore, int position, int removed,
                         int added);

// The first local file among dropped data, or an empty string.
QString droppedFile(const QMimeData* data);

}  // namespace tagora::runtime
