// A large text put into a box a slice of lines at a time, in the event
// loop's idle turns: QTextDocument takes some microseconds for each line
// it adds, seconds for a page of ten megabytes, and the window stays
// answering all that time. The first slice is shown at once; the rest
// follows at the end of the document, each turn a few milliseconds long.
//
// Until the last slice is in, the document holds only the start of the
// text: rawText() gives all of it, as the document will hold it, and
// finish() puts the rest in at once, for whatever must see the whole (the
// box's owner calls it before any edit). The slices are no edits: they
// leave no undo steps and do not mark the document modified.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QPlainTextEdit;

namespace tagora::runtime {

class SlicedText : public QObject {
    Q_OBJECT
public:
    explicit SlicedText(QPlainTextEdit* box);

    // Replaces the box's text with the start of `text` (given as the box
    // is to show it) and puts the rest in later, `sliceSize` characters
    // at a time, cut after a line feed. The caret goes to the start and
    // the undo history is emptied, as QTextDocument::setPlainText() does.
    void start(const QString& text, qsizetype sliceSize);
    bool active() const { return !rest_.isEmpty(); }
    // True while a slice after the first goes in: a change of the
    // document that is no new text, nor an edit.
    bool addingSlice() const { return addingSlice_; }
    void finish();
    // Stops where it is: the box keeps the slices already in.
    void cancel();
    // The whole text as the document holds it once finished
    // (QTextDocument::toRawText(): each line break a U+2029).
    QString rawText() const;
    // The whole text as given to start().
    const QString& text() const { return text_; }
    // The length of the whole text read back with CR LF between lines
    // (editorText()), without building it.
    qsizetype lengthWithCrLf() const;

signals:
    // The last slice is in, or the slicing was cancelled.
    void stopped();

private:
    QPointer<QPlainTextEdit> box_;
    QString text_;
    QStringView rest_;  // of text_, not in the box yet
    qsizetype sliceSize_ = 0;
    bool putting_ = false;  // a slice going in: a change of the document that is not someone else's
    bool addingSlice_ = false;
    bool undoWasOn_ = true;
    QTimer turn_;

    QStringView nextSlice();
    void putSlice();
    void putSlicesForATurn();
    void noteChange(int position, int removed, int added);
    void stop();
};

// Where a slice of at least `size` characters from the start of `text`
// ends: just after a line feed, or at the end. A CR LF pair is never cut.
qsizetype sliceEnd(QStringView text, qsizetype size);

}  // namespace tagora::runtime
