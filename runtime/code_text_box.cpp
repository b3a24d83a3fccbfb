#include "code_text_box.h"

#include <QKeyEvent>

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

}  // namespace tagora::runtime
