#include "script_colours.h"

#include <QEvent>
#include <QPlainTextEdit>

namespace tagora {

using runtime::SyntaxHighlighter;

ScriptColours::ScriptColours(QPlainTextEdit* input, QPlainTextEdit* output)
    : QObject(input),
      inputBox_(input),
      outputBox_(output),
      input_(new SyntaxHighlighter(input->document())),
      output_(new SyntaxHighlighter(output->document()))
{
    input_->setPalette(input->palette());
    output_->setPalette(output->palette());
    input->installEventFilter(this);
    output->installEventFilter(this);
}

void ScriptColours::showMode(std::optional<Target> target)
{
    if (target) {
        input_->setLanguage(SyntaxHighlighter::Language::Html);
        output_->setLanguage(SyntaxHighlighter::Language::Script, *target);
    } else {
        input_->setLanguage(SyntaxHighlighter::Language::Page);
        output_->setLanguage(SyntaxHighlighter::Language::Page);
    }
}

// A new palette (a dark one, say) recolours the boxes.
bool ScriptColours::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::PaletteChange) {
        if (watched == inputBox_)
            input_->setPalette(inputBox_->palette());
        else if (watched == outputBox_)
            output_->setPalette(outputBox_->palette());
    }
    return false;
}

}  // namespace tagora
