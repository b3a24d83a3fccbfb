// The multi-line text box of the program's windows: plain text, long
// lines scroll instead of wrapping, both scroll bars always shown, Tab and
// Shift+Tab move the focus, Ctrl+Tab types a TAB, and TAB stops are every
// eight characters. Pasted and dropped text passes through textForEditor();
// a dropped file is not inserted but announced by fileDropped().
//
// Each box owns an editor's keys, which work while it or its find bar has
// the focus: Ctrl+F opens the find bar, F3 and Shift+F3 find the next and
// previous match; Ctrl+Plus, Ctrl+Minus, Ctrl+0 and Ctrl+wheel zoom. The
// zoom and word wrap are the program's (EditorView): every box follows
// them, and they are remembered.
#pragma once

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

class QAction;
class QPainter;

namespace tagora::runtime {

class FindBar;
class SlicedText;

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

    // Replaces the text, as setEditorText() does. A box without the focus
    // (or any box, after setSlicedWhileFocused(true)) takes a text of more
    // than kSlicedTextSize characters a slice of
    // sliceSize characters at a time (SlicedText): its first lines at
    // once, the rest in the event loop's idle turns. A key, a click, the
    // focus, a drag, the context menu or a search puts the rest in at
    // once, so that whatever the user edits, selects, copies or finds is
    // the whole text; editorText() gives the whole text meanwhile. Other
    // code that changes the document calls finishFilling() or
    // stopFilling() first (a change made between slices stops them). Such texts
    // are past SyntaxHighlighter::kLargestColouredText: no slice is
    // coloured.
    static constexpr qsizetype kSlicedTextSize = 1'000'000;
    static constexpr qsizetype kSliceSize = 32'000;
    void showText(const QString& text, qsizetype slicedTextSize = kSlicedTextSize, qsizetype sliceSize = kSliceSize);
    bool filling() const;
    // Whether a box with the focus takes a large text a slice at a time
    // too (the input box, where a file opens): false by default.
    void setSlicedWhileFocused(bool sliced) { slicedWhileFocused_ = sliced; }
    // True while a slice after the first goes in: the document changes
    // (textChanged()), but its text is the same as before.
    bool addingSlice() const;
    void finishFilling();
    // Stops putting slices in: the box keeps what is in.
    void stopFilling();
    // The whole text as QTextDocument::toRawText() gives it, slices to come
    // included.
    QString rawText() const;
    // While filling, the whole text as given to showText(); empty otherwise.
    QString textGoingIn() const;
    // The length of editorText(), without building it.
    qsizetype textLength() const;

    // Line numbers in a margin on the left, as code editors show them.
    void setLineNumbersShown(bool shown);
    bool lineNumbersShown() const { return lineNumbers_ != nullptr; }
    // The margin's width.
    int lineNumberWidth() const;

    // The box's font before its zoom; setFont() sets it as well.
    QFont unzoomedFont() const { return unzoomedFont_; }

    FindBar* findBar() const { return findBar_; }
    // Find, Find Next, Find Previous, Zoom In, Zoom Out, Actual Size and
    // Word Wrap, by object name (editorFind, ..., editorWordWrap): the box's own
    // keys, also in its context menu.
    QList<QAction*> editorActions() const { return editorActions_; }

    // The line (from 1) marked in the margin as the place of an error, with
    // its message as the marker's tooltip and the box's screen-reader
    // description. The mark moves with the line as the text is edited.
    void markError(int line, const QString& message);
    void clearErrorMark();
    int markedErrorLine() const;  // 0 when none
    QString errorMessage() const { return errorMessage_; }
    // The margin's area of the marked line, in the margin's coordinates;
    // empty when no line is marked or it is not shown.
    QRect errorMarkerRect() const;

signals:
    // The last slice of a text shown in slices is in, or the slicing
    // stopped.
    void filled();
    void fileDropped(const QString& path);
    // Text was pasted or dropped into the box.
    void textPasted();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    friend class LineNumberArea;
    bool holdsLongLine_ = false;
    QWidget* lineNumbers_ = nullptr;
    int expectedLines_ = 0;  // the margin is sized for as many while a text goes in
    SlicedText* slices_ = nullptr;
    bool slicedWhileFocused_ = false;
    FindBar* findBar_ = nullptr;
    QList<QAction*> editorActions_;
    QFont unzoomedFont_;
    bool applyingFont_ = false;
    int wheelTurn_ = 0;  // eighths of a degree towards the next zoom step
    QTextCursor errorPlace_;
    QString errorMessage_;
    QString descriptionBeforeError_;

    void paintLineNumbers(QPaintEvent* event);
    void paintErrorMarker(QPainter& painter, const QRect& row);
    void updateLineNumberMargin();
    void expectLines(int lines);
    void expectCharacters(qsizetype characters);
    void addEditorActions();
    QAction* addEditorAction(const char* name, const QString& text, const QList<QKeySequence>& keys);
    void applyFont();
    void applyWordWrap(bool wrap);

    void updateTabStops();
    void updateCaretBlinking();
    void updateShaping();
    void noteChange(int position, int removed, int added);
    static void setCaretBlinking(bool blinking);
};

// How many lines a text holds as a box shows it, or a few less: line
// feeds and paragraph separators are counted, not lone carriage returns.
int linesIn(const QString& text);

// Whether the document holds a line longer than `longest` after a change
// (QTextDocument::contentsChange), given whether it did before: only the
// changed lines can have grown, and a removal can have shortened one.
bool holdsLineLongerThan(const QTextDocument* document, int longest, bool heldBefore, int position, int removed,
                         int added);

// The first local file among dropped data, or an empty string.
QString droppedFile(const QMimeData* data);

}  // namespace tagora::runtime
