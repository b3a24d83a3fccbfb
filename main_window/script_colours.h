// The colours of the main window's two boxes, following the conversion
// mode: HTML in, the target's script out; in Script to HTML mode both hold
// a script or page, coloured whole.
#pragma once

#include "runtime/syntax_highlighter.h"

#include <QObject>

#include <optional>

class QPlainTextEdit;

namespace tagora {

class ScriptColours : public QObject {
    Q_OBJECT
public:
    ScriptColours(QPlainTextEdit* input, QPlainTextEdit* output);

    // The target chosen, none in Script to HTML mode.
    void showMode(std::optional<Target> target);

    runtime::SyntaxHighlighter* input() const { return input_; }
    runtime::SyntaxHighlighter* output() const { return output_; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* inputBox_;
    QPlainTextEdit* outputBox_;
    runtime::SyntaxHighlighter* input_;
    runtime::SyntaxHighlighter* output_;
};

}  // namespace tagora
