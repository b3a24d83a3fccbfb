#include "sliced_text.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace tagora::runtime {
namespace {

// How long one turn of the event loop puts slices in: short enough that
// typing, scrolling and painting stay smooth meanwhile.
constexpr qint64 kTurnMs = 12;

bool endsParagraph(QChar ch)
{
    return ch == QLatin1Char('\r') || ch == QLatin1Char('\n') || ch == QChar(0xFDD0) || ch == QChar(0xFDD1);
}

}  // namespace

qsizetype sliceEnd(QStringView text, qsizetype size)
{
    if (size >= text.size())
        return text.size();
    const qsizetype lineFeed = text.indexOf(QLatin1Char('\n'), std::max<qsizetype>(size - 1, 0));
    return lineFeed < 0 ? text.size() : lineFeed + 1;
}

SlicedText::SlicedText(QPlainTextEdit* box) : QObject(box), box_(box)
{
    turn_.setInterval(0);
    connect(&turn_, &QTimer::timeout, this, &SlicedText::putSlicesForATurn);
    connect(box->document(), &QTextDocument::contentsChange, this, &SlicedText::noteChange);
}

void SlicedText::start(const QString& text, qsizetype sliceSize)
{
    cancel();
    text_ = text;
    rest_ = text_;
    sliceSize_ = std::max<qsizetype>(sliceSize, 1);
    QTextDocument* document = box_->document();
    putting_ = true;
    document->setPlainText(nextSlice().toString());
    putting_ = false;
    box_->moveCursor(QTextCursor::Start);
    if (!active()) {
        stop();
        return;
    }
    // The slices that follow are no edits to undo.
    undoWasOn_ = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    turn_.start();
}

QStringView SlicedText::nextSlice()
{
    const QStringView slice = rest_.first(sliceEnd(rest_, sliceSize_));
    rest_ = rest_.sliced(slice.size());
    return slice;
}

// A slice is no edit: a document that was unmodified stays so.
void SlicedText::putSlice()
{
    QTextDocument* document = box_->document();
    const bool wasModified = document->isModified();
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    putting_ = addingSlice_ = true;
    end.insertText(nextSlice().toString());
    if (!wasModified)
        document->setModified(false);
    putting_ = addingSlice_ = false;
    if (!active())
        stop();
}

// Changed by someone else meanwhile, the text no longer has the rest to
// follow: it is dropped at once (the box's text is read from its document
// again), and the slicing stops in the next turn, after the change is done.
// A change that keeps the length is taken for new colours (a
// QSyntaxHighlighter's); code that replaces text stops the slices first.
void SlicedText::noteChange(int, int removed, int added)
{
    if (putting_ || !active() || removed == added)
        return;
    rest_ = QStringView();
    text_.clear();
}

void SlicedText::putSlicesForATurn()
{
    if (!active()) {
        stop();
        return;
    }
    QElapsedTimer turn;
    turn.start();
    while (active() && box_ && turn.elapsed() < kTurnMs)
        putSlice();
}

void SlicedText::finish()
{
    while (active() && box_)
        putSlice();
}

void SlicedText::cancel()
{
    if (turn_.isActive())
        stop();
}

void SlicedText::stop()
{
    const bool wasActive = turn_.isActive();
    turn_.stop();
    rest_ = QStringView();
    text_.clear();
    if (wasActive && box_)
        box_->document()->setUndoRedoEnabled(undoWasOn_);
    if (wasActive)
        emit stopped();
}

// As QTextCursor::insertText() reads line breaks: CR LF, CR, LF, U+2029
// and the frame marks U+FDD0 and U+FDD1 each end a paragraph.
QString SlicedText::rawText() const
{
    QString raw(text_.size(), Qt::Uninitialized);
    QChar* out = raw.data();
    const QChar* const end = text_.constEnd();
    for (const QChar* in = text_.constBegin(); in != end; ++in) {
        if (*in == QLatin1Char('\r') && in + 1 != end && in[1] == QLatin1Char('\n'))
            continue;  // the LF that follows ends the paragraph
        *out++ = endsParagraph(*in) ? QChar(QChar::ParagraphSeparator) : *in;
    }
    raw.truncate(out - raw.constData());
    return raw;
}

// Each line break becomes CR LF: a pair keeps its length, a lone CR, LF
// or paragraph separator gains a character.
qsizetype SlicedText::lengthWithCrLf() const
{
    qsizetype length = text_.size();
    const QChar* const end = text_.constEnd();
    for (const QChar* in = text_.constBegin(); in != end; ++in) {
        if (*in == QLatin1Char('\r') && in + 1 != end && in[1] == QLatin1Char('\n'))
            ++in;
        else if (endsParagraph(*in) || *in == QChar(QChar::ParagraphSeparator))
            ++length;
    }
    return length;
}

}  // namespace tagora::runtime
