#include "code_text_box.h"

#include "editor_view.h"
#include "find_bar.h"
#include "sliced_text.h"
#include "syntax_highlighter.h"
#include "text_conversion.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMenu>
#include <QToolTip>
#include <QPainter>
#include <QKeyEvent>
#include <QMimeData>
#include <QGuiApplication>
#include <QStyleHints>
#include <QTextBlock>
#include <QUrl>

#include <limits>

namespace tagora::runtime {

// The margin the line numbers are drawn in; the box draws them.
class LineNumberArea : public QWidget {
public:
    explicit LineNumberArea(CodeTextBox* box) : QWidget(box), box_(box) { setObjectName(QStringLiteral("lineNumbers")); }
    QSize sizeHint() const override { return QSize(box_->lineNumberWidth(), 0); }

protected:
    void paintEvent(QPaintEvent* event) override { box_->paintLineNumbers(event); }
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip)
            return QWidget::event(event);
        const auto* help = static_cast<QHelpEvent*>(event);
        if (box_->errorMarkerRect().contains(help->pos()))
            QToolTip::showText(help->globalPos(), box_->errorMessage(), this);
        else
            QToolTip::hideText();
        return true;
    }

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
    unzoomedFont_ = font();
    applyFont();
    updateTabStops();
    connect(document(), &QTextDocument::contentsChange, this, &CodeTextBox::noteChange);
    slices_ = new SlicedText(this);
    connect(slices_, &SlicedText::stopped, this, [this] {
        expectLines(0);
        expectCharacters(0);
        emit filled();
    });
    findBar_ = new FindBar(this);
    findBar_->installEventFilter(this);
    addEditorActions();
    const EditorView& view = EditorView::shared();
    connect(&view, &EditorView::zoomChanged, this, &CodeTextBox::applyFont);
    connect(&view, &EditorView::wordWrapChanged, this, &CodeTextBox::applyWordWrap);
    applyWordWrap(view.wordWrap());
}

QAction* CodeTextBox::addEditorAction(const char* name, const QString& text, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);
    editorActions_.append(action);
    return action;
}

void CodeTextBox::addEditorActions()
{
    connect(addEditorAction("editorFind", tr("&Find..."), {QKeySequence(Qt::CTRL | Qt::Key_F)}), &QAction::triggered,
            findBar_, &FindBar::open);
    connect(addEditorAction("editorFindNext", tr("Find &Next"), {QKeySequence(Qt::Key_F3)}), &QAction::triggered,
            findBar_, [this] { findBar_->find(FindDirection::Forward); });
    connect(addEditorAction("editorFindPrevious", tr("Find Pre&vious"), {QKeySequence(Qt::SHIFT | Qt::Key_F3)}),
            &QAction::triggered, findBar_, [this] { findBar_->find(FindDirection::Backward); });
    EditorView* view = &EditorView::shared();
    connect(addEditorAction("editorZoomIn", tr("Zoom &In"),
                            {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}),
            &QAction::triggered, view, [view] { view->setZoom(view->zoom() + 1); });
    connect(addEditorAction("editorZoomOut", tr("Zoom &Out"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)}),
            &QAction::triggered, view, [view] { view->setZoom(view->zoom() - 1); });
    connect(addEditorAction("editorZoomReset", tr("&Actual Size"), {QKeySequence(Qt::CTRL | Qt::Key_0)}),
            &QAction::triggered, view, [view] { view->setZoom(0); });
    QAction* wrap = addEditorAction("editorWordWrap", tr("&Word Wrap"), {});
    wrap->setCheckable(true);
    wrap->setChecked(view->wordWrap());
    connect(wrap, &QAction::toggled, view, &EditorView::setWordWrap);
    connect(view, &EditorView::wordWrapChanged, wrap, &QAction::setChecked);
}

// The font set from outside, or by the shaping below, is the unzoomed
// one; the box shows it the program's zoom larger or smaller.
void CodeTextBox::applyFont()
{
    QFont zoomed = unzoomedFont_;
    zoomed.setStyleStrategy(holdsLongLine_ ? QFont::PreferNoShaping : QFont::PreferDefault);
    const int zoom = EditorView::shared().zoom();
    constexpr qreal kSmallestPointSize = 4;
    if (zoomed.pointSizeF() > 0)
        zoomed.setPointSizeF(std::max(kSmallestPointSize, zoomed.pointSizeF() + zoom));
    else if (zoomed.pixelSize() > 0)
        zoomed.setPixelSize(std::max(5, zoomed.pixelSize() + zoom * 4 / 3));
    if (zoomed == font())
        return;
    applyingFont_ = true;
    setFont(zoomed);
    applyingFont_ = false;
}

void CodeTextBox::applyWordWrap(bool wrap)
{
    setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn);
}

// The find bar takes room from the text while it is shown.
bool CodeTextBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == findBar_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        updateLineNumberMargin();
    return QPlainTextEdit::eventFilter(watched, event);
}

void CodeTextBox::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QPlainTextEdit::wheelEvent(event);
        return;
    }
    constexpr int kOneStep = 120;  // a wheel's notch, in eighths of a degree
    wheelTurn_ += event->angleDelta().y();
    const int steps = wheelTurn_ / kOneStep;
    wheelTurn_ -= steps * kOneStep;
    if (steps != 0)
        EditorView::shared().setZoom(EditorView::shared().zoom() + steps);
    event->accept();
}

void CodeTextBox::contextMenuEvent(QContextMenuEvent* event)
{
    finishFilling();
    QMenu* menu = createStandardContextMenu(event->pos());
    menu->addSeparator();
    menu->addActions(editorActions_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void CodeTextBox::markError(int line, const QString& message)
{
    finishFilling();
    const QTextBlock block = document()->findBlockByNumber(line - 1);
    if (!block.isValid()) {
        clearErrorMark();
        return;
    }
    if (errorPlace_.isNull())
        descriptionBeforeError_ = accessibleDescription();
    errorPlace_ = QTextCursor(block);
    errorMessage_ = message;
    setAccessibleDescription(tr("Error on line %1: %2").arg(line).arg(message));
    if (lineNumbers_)
        lineNumbers_->update();
}

void CodeTextBox::clearErrorMark()
{
    if (errorPlace_.isNull())
        return;
    errorPlace_ = QTextCursor();
    errorMessage_.clear();
    setAccessibleDescription(descriptionBeforeError_);
    if (lineNumbers_)
        lineNumbers_->update();
}

int CodeTextBox::markedErrorLine() const
{
    return errorPlace_.isNull() ? 0 : errorPlace_.block().blockNumber() + 1;
}

QRect CodeTextBox::errorMarkerRect() const
{
    if (errorPlace_.isNull() || !lineNumbers_)
        return QRect();
    const QTextBlock block = errorPlace_.block();
    if (!block.isVisible())
        return QRect();
    const QRectF place = blockBoundingGeometry(block).translated(contentOffset());
    return QRect(0, qRound(place.top()), lineNumbers_->width(), qRound(place.height()))
        .intersected(lineNumbers_->rect());
}

CodeTextBox::~CodeTextBox()
{
    if (hasFocus())
        setCaretBlinking(true);
}

void CodeTextBox::focusInEvent(QFocusEvent* event)
{
    finishFilling();
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
    if (font().styleStrategy() != strategy)
        applyFont();
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
    if (event->type() != QEvent::FontChange)
        return;
    if (!applyingFont_) {
        unzoomedFont_ = font();
        applyFont();
    }
    updateTabStops();
    updateLineNumberMargin();
}

void CodeTextBox::updateTabStops()
{
    constexpr int kTabWidthInCharacters = 8;
    setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * kTabWidthInCharacters);
}

void CodeTextBox::keyPressEvent(QKeyEvent* event)
{
    finishFilling();
    const bool ctrlTab = event->key() == Qt::Key_Tab
                         && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (ctrlTab && !isReadOnly()) {
        insertPlainText(QStringLiteral("\t"));
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CodeTextBox::mousePressEvent(QMouseEvent* event)
{
    finishFilling();
    QPlainTextEdit::mousePressEvent(event);
}

void CodeTextBox::showText(const QString& text, qsizetype slicedTextSize, qsizetype sliceSize)
{
    const QString shown = textForEditor(text);
    slices_->cancel();
    expectLines(linesIn(shown));
    if ((slicedWhileFocused_ || !hasFocus()) && shown.size() > slicedTextSize) {
        expectCharacters(shown.size());
        slices_->start(shown, sliceSize);
        if (filling())
            return;
    } else {
        document()->setPlainText(shown);
        moveCursor(QTextCursor::Start);
    }
    expectLines(0);
    expectCharacters(0);
}

// The colours hear of the whole text's size before its first slice: past
// their largest text, no slice is coloured.
void CodeTextBox::expectCharacters(qsizetype characters)
{
    if (auto* colours = document()->findChild<SyntaxHighlighter*>(QString(), Qt::FindDirectChildrenOnly))
        colours->expectCharacters(characters);
}

bool CodeTextBox::addingSlice() const
{
    return slices_->addingSlice();
}

QString CodeTextBox::textGoingIn() const
{
    return filling() ? slices_->text() : QString();
}

qsizetype CodeTextBox::textLength() const
{
    if (filling())
        return slices_->lengthWithCrLf();
    return document()->characterCount() - 1 + document()->blockCount() - 1;
}

bool CodeTextBox::filling() const
{
    return slices_->active();
}

void CodeTextBox::finishFilling()
{
    slices_->finish();
}

void CodeTextBox::stopFilling()
{
    slices_->cancel();
}

QString CodeTextBox::rawText() const
{
    return filling() ? slices_->rawText() : document()->toRawText();
}

// Sized for the lines of a text about to go in, the margin does not widen
// as the lines come, each time laying out every line of the document
// again (QPlainTextEdit does when its viewport's width changes). It is
// never made narrower here: that would lay out the old text.
void CodeTextBox::expectLines(int lines)
{
    const int oldWidth = lineNumberWidth();
    expectedLines_ = lines;
    if (lineNumbers_ && lineNumberWidth() > oldWidth)
        updateLineNumberMargin();
}

int linesIn(const QString& text)
{
    const qsizetype breaks = text.count(QLatin1Char('\n')) + text.count(QChar(QChar::ParagraphSeparator));
    return int(std::min<qsizetype>(breaks + 1, std::numeric_limits<int>::max()));
}

void CodeTextBox::dragEnterEvent(QDragEnterEvent* event)
{
    finishFilling();
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
        updateLineNumberMargin();
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
    for (int count = std::max({1, blockCount(), expectedLines_}); count >= 10; count /= 10)
        ++digits;
    return fontMetrics().horizontalAdvance(QLatin1Char('9')) * (digits + 1) + 6;
}

// The margins around the text: the line numbers on the left, the find
// bar at the bottom while it is open.
void CodeTextBox::updateLineNumberMargin()
{
    const int left = lineNumbers_ ? lineNumberWidth() : 0;
    const int bottom = findBar_ && !findBar_->isHidden() ? findBar_->sizeHint().height() : 0;
    setViewportMargins(left, 0, 0, bottom);
    const QRect text = viewport()->geometry();
    if (lineNumbers_)
        lineNumbers_->setGeometry(text.left() - left, text.top(), left, text.height());
    if (bottom > 0)
        findBar_->setGeometry(text.left() - left, text.bottom() + 1, text.width() + left, bottom);
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
    const QTextBlock errorBlock = errorPlace_.isNull() ? QTextBlock() : errorPlace_.block();
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event->rect().top()) {
            const bool error = block == errorBlock;
            if (error)
                paintErrorMarker(painter, QRect(0, top, lineNumbers_->width(), height));
            painter.drawText(0, top, width, fontMetrics().height(), Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
            if (error)
                painter.setPen(palette().color(QPalette::PlaceholderText));
        }
        top += height;
        block = block.next();
    }
}

// The error's line: its number white on red, readable on light and dark
// palettes alike.
void CodeTextBox::paintErrorMarker(QPainter& painter, const QRect& row)
{
    const QColor red(192, 0, 0);
    painter.fillRect(row, red);
    painter.setPen(Qt::white);
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
