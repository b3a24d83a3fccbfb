#include "code_text_box.h"

#include "text_conversion.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

namespace tagora::runtime {

CodeTextBox::CodeTextBox(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    updateTabStops();
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
    if (source && source->hasText() && !isReadOnly())
        insertPlainText(textForEditor(source->text()));
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
