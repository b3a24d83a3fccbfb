#include "code_text_box.h"

#include "text_conversion.h"

#include <QDropEvent>
#include <QPainter>
#include <QKeyEvent>
#include <QMimeData>
#include <QGuiApplication>
#include <QStyleHints>
#include <QTextBlock>
#include <QUrl>

namespace tagora::runtime {

// The margin the line numbers are drawn in; the box draws them.
class LineNumberArea : public QWidget {
public:
    explicit LineNumberArea(CodeTextBox* box) : QWidget(box), box_(box) { setObjectName(QStringLiteral("lineNumbers")); }
    QSize sizeHint() const override { return QSize(box_->lineNumberWidth(), 0); }

protected:
    void paintEvent(QPaintEvent* event) override { box_->paintLineNumbers(event); }

private:
    CodeTextBox* box_;
};

CodeTextBox::CodeTextBox(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    updateTabStops();
    connect(document(), &QTextDocument::contentsChange, this, &CodeTextBox::noteChange);
}

CodeTextBox::~CodeTextBox()
{
    if (hasFocus())
        setCaretBlinking(true);
}

void CodeTextBox::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    updateCaretBlinking();
}

void CodeTextBox::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    updateCaretBlinking();
}

// Each blink of the caret redraws its surroundings, and a very long line
// among them is laid out whole again: a line of a megabyte keeps a core
// busy. Only the focused box shows a caret, so while that box holds a very
// long line the caret stops blinking.
void CodeTextBox::updateCaretBlinking()
{
    setCaretBlinking(!hasFocus() || !holdsLongLine_);
}

void CodeTextBox::noteChange(int position, int removed, int added)
{
    holdsLongLine_ = holdsLineLongerThan(document(), kLongestBlinkingLine, holdsLongLine_, position, removed, added);
    updateCaretBlinking();
    updateShaping();
}

void CodeTextBox::updateShaping()
{
    const QFont::StyleStrategy strategy = holdsLongLine_ ? QFont::PreferNoShaping : QFont::PreferDefault;
    if (font().styleStrategy() == strategy)
        return;
    QFont shaped = font();
    shaped.setStyleStrategy(strategy);
    setFont(shaped);
}

namespace {

bool anyLongLine(QTextBlock block, const QTextBlock& end, int longest)
{
    for (; block.isValid() && block != end; block = block.next()) {
        if (block.length() - 1 > longest)  // without its paragraph end
            return true;
    }
    return false;
}

}  // namespace

bool holdsLineLongerThan(const QTextDocument* document, int longest, bool heldBefore, int position, int removed,
                         int added)
{
    if (heldBefore && removed > 0)
        return anyLongLine(document->begin(), document->end(), longest);
    if (heldBefore)
        return true;
    return anyLongLine(document->findBlock(position), document->findBlock(position + added).next(), longest);
}

void CodeTextBox::setCaretBlinking(bool blinking)
{
    static int stoppedFlashTime = 0;  // the flash time before a stop, if stopped here
    QStyleHints* hints = QGuiApplication::styleHints();
    if (!blinking && hints->cursorFlashTime() != 0) {
        stoppedFlashTime = hints->cursorFlashTime();
        hints->setCursorFlashTime(0);
    } else if (blinking && stoppedFlashTime != 0) {
        hints->setCursorFlashTime(stoppedFlashTime);
        stoppedFlashTime = 0;
    }
}

bool CodeTextBox::caretBlinks()
{
    return QGuiApplication::styleHints()->cursorFlashTime() != 0;
}

void CodeTextBox::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateTabStops();
}

void CodeTextBox::updateTabStops()
{
    constexpr int kTabWidthInCharacters = 8;
    setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * kTabWidthInCharacters);
}

void CodeTextBox::keyPressEvent(QKeyEvent* event)
{
    const bool ctrlTab = event->key() == Qt::Key_Tab
                         && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (ctrlTab && !isReadOnly()) {
        insertPlainText(QStringLiteral("\t"));
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CodeTextBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (droppedFile(event->mimeData()).isEmpty())
        QPlainTextEdit::dragEnterEvent(event);
    else
        event->acceptProposedAction();
}

void CodeTextBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (droppedFile(event->mimeData()).isEmpty())
        QPlainTextEdit::dragMoveEvent(event);
    else
        event->acceptProposedAction();
}

void CodeTextBox::dropEvent(QDropEvent* event)
{
    const QString file = droppedFile(event->mimeData());
    if (file.isEmpty()) {
        QPlainTextEdit::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    emit fileDropped(file);
}

void CodeTextBox::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText() && !isReadOnly()) {
        insertPlainText(textForEditor(source->text()));
        emit textPasted();
    }
}

void CodeTextBox::setLineNumbersShown(bool shown)
{
    if (shown == lineNumbersShown())
        return;
    if (!shown) {
        delete lineNumbers_;
        lineNumbers_ = nullptr;
        setViewportMargins(0, 0, 0, 0);
        return;
    }
    lineNumbers_ = new LineNumberArea(this);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &CodeTextBox::updateLineNumberMargin);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (!lineNumbers_)
            return;
        if (dy != 0)
            lineNumbers_->scroll(0, dy);
        else
            lineNumbers_->update(0, rect.y(), lineNumbers_->width(), rect.height());
    });
    updateLineNumberMargin();
    lineNumbers_->show();
}

int CodeTextBox::lineNumberWidth() const
{
    int digits = 1;
    for (int count = std::max(1, blockCount()); count >= 10; count /= 10)
        ++digits;
    return fontMetrics().horizontalAdvance(QLatin1Char('9')) * (digits + 1) + 6;
}

void CodeTextBox::updateLineNumberMargin()
{
    if (!lineNumbers_)
        return;
    setViewportMargins(lineNumberWidth(), 0, 0, 0);
    const QRect inside = contentsRect();
    lineNumbers_->setGeometry(inside.left(), inside.top(), lineNumberWidth(), inside.height());
}

void CodeTextBox::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    updateLineNumberMargin();
}

// The numbers in the window's shaded colour, right-aligned, one per line
// shown.
void CodeTextBox::paintLineNumbers(QPaintEvent* event)
{
    QPainter painter(lineNumbers_);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    const int width = lineNumbers_->width() - 3;
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event->rect().top())
            painter.drawText(0, top, width, fontMetrics().height(), Qt::AlignRight, QString::number(block.blockNumber() + 1));
        top += height;
        block = block.next();
    }
}

QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return QString();
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return QString();
}

}  // namespace tagora::runtime
