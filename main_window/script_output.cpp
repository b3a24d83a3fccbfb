#include "script_output.h"

#include "code_text_box.h"
#include "readable_colours.h"
#include "script_colours.h"
#include "status_strip.h"
#include "syntax_highlighter.h"
#include "text_conversion.h"
#include "window_colours.h"

#include <QTextDocument>

namespace tagora {

using namespace runtime;

ScriptOutput::ScriptOutput(CodeTextBox* box, ScriptColours* colours, StatusStrip* statusStrip)
    : QObject(box), box_(box), colours_(colours), statusStrip_(statusStrip)
{
    connect(box_, &QPlainTextEdit::textChanged, this, [this] {
        if (listingStart_ && box_->document()->isEmpty())
            listingStart_.reset();  // emptied: a listing after it starts a new one
        emit usableChanged();
    });
}

void ScriptOutput::show(const QString& text)
{
    listingStart_.reset();
    box_->showText(text);
}

void ScriptOutput::setState(State state, const QString& reason)
{
    const bool changed = state != state_;
    if (state == State::Failed)
        statusStrip_->clearNotice();  // the error is the news
    state_ = state;
    reason_ = state == State::Current ? QString() : reason;
    statusStrip_->showStanding(reason_, state == State::Failed);
    if (!changed)
        return;
    const bool current = state == State::Current;
    setReadableColour(box_, QPalette::Text, current ? colours::kScriptBlue : colours::kStaleGrey);
    colours_->output()->setShown(current);
    emit stateChanged();
    emit usableChanged();
}

QString ScriptOutput::text() const
{
    return editorText(box_);
}

QString ScriptOutput::scriptText() const
{
    return listingStart_ ? editorTextBefore(box_, listingStart_->position()) : text();
}

bool ScriptOutput::usable() const
{
    const bool empty = listingStart_ ? listingStart_->position() == 0 : box_->document()->isEmpty();
    return !empty && state_ == State::Current;
}

void ScriptOutput::appendListing(const QString& listing)
{
    box_->finishFilling();
    QTextCursor end(box_->document());
    end.movePosition(QTextCursor::End);
    const int start = end.position();
    end.insertText(listing);
    if (!listingStart_) {
        listingStart_ = QTextCursor(box_->document());
        listingStart_->setPosition(start);
    }
    emit usableChanged();
    // Selected, so that it is seen, and Ctrl+C copies it.
    end.setPosition(start, QTextCursor::KeepAnchor);
    box_->setTextCursor(end);
    box_->ensureCursorVisible();
}

ScriptOutput::Saved ScriptOutput::saved() const
{
    return {text(), state_, reason_, listingStart_ ? std::optional(listingStart_->position()) : std::nullopt};
}

// By an edit that the box's own undo takes back (Ctrl+Z): nothing, the
// script of nothing.
void ScriptOutput::empty()
{
    box_->finishFilling();  // Undo brings back the whole
    QTextCursor all(box_->document());
    all.select(QTextCursor::Document);
    all.removeSelectedText();
    listingStart_.reset();
    setState(State::Current);
}

void ScriptOutput::restore(const Saved& saved)
{
    box_->stopFilling();
    QTextCursor all(box_->document());
    all.select(QTextCursor::Document);
    all.insertText(textForEditor(saved.text));
    if (saved.listingStart) {
        listingStart_ = QTextCursor(box_->document());
        listingStart_->setPosition(*saved.listingStart);
    }
    setState(saved.state, saved.reason);
    emit usableChanged();
}

}  // namespace tagora
