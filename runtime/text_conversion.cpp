#include "text_conversion.h"

#include "code_text_box.h"
#include "input_text/input_text.h"
#include "script_writer/script_generator.h"
#include "script_writer/script_stream.h"

#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <optional>
#include <limits>

namespace tagora::runtime {
namespace {

std::u16string_view viewOf(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.constData()), static_cast<std::size_t>(text.size())};
}

QString normalized(std::u16string_view text)
{
    QString input(static_cast<qsizetype>(normalizedInputSize(text)), Qt::Uninitialized);
    normalizeInputText(text, reinterpret_cast<char16_t*>(input.data()));
    return input;
}

bool isReplaced(QChar ch)
{
    return inputRule(ch.unicode(), false) == InputRule::Replace;
}

}  // namespace

// QPlainTextEdit::toPlainText() would turn non-breaking spaces into plain
// spaces; the raw text keeps every character and marks paragraph ends
// with U+2029, which the input text rules turn into CR LF in one pass.
// While a text goes in a slice at a time, the text as given reads the
// same, in one pass instead of two: the rules make every kind of line
// break CR LF.
QString editorText(const QPlainTextEdit* editor)
{
    const auto* box = qobject_cast<const CodeTextBox*>(editor);
    if (box && box->filling())
        return normalized(viewOf(box->textGoingIn()));
    return editorTextBefore(editor, std::numeric_limits<int>::max());
}

QString editorTextBefore(const QPlainTextEdit* editor, int position)
{
    const auto* box = qobject_cast<const CodeTextBox*>(editor);
    const QString raw = box ? box->rawText() : editor->document()->toRawText();
    return normalized(viewOf(raw).substr(0, std::size_t(std::max(position, 0))));
}

// Straight into the document: QPlainTextEdit::setPlainText() would then
// also apply the editor's character format to the whole text, one more
// pass over a large page. Like setPlainText(), this clears the undo
// history and leaves the caret at the start.
void setEditorText(QPlainTextEdit* editor, const QString& text)
{
    if (auto* box = qobject_cast<CodeTextBox*>(editor)) {
        box->showText(text, std::numeric_limits<qsizetype>::max());
        return;
    }
    editor->document()->setPlainText(textForEditor(text));
    editor->moveCursor(QTextCursor::Start);
}

QString textForEditor(QString text)
{
    if (std::none_of(text.cbegin(), text.cend(), isReplaced))
        return text;
    std::replace_if(text.begin(), text.end(), isReplaced, QChar(kReplacementCharacter));
    return text;
}

// Written a piece at a time straight into the QString: for a large page,
// copying a finished std::u16string would cost about as much again as
// writing it.
std::optional<QString> scriptText(Target target, Escaping escaping, QStringView html, const ScriptOptions& options,
                                  qsizetype pieceSize)
{
    const std::u16string_view text(reinterpret_cast<const char16_t*>(html.data()), std::size_t(html.size()));
    if (text.empty())
        return std::nullopt;
    const std::optional<std::string> label = heredocLabelFor(target, text);
    if (!label)
        return std::nullopt;
    ScriptStream<char16_t> stream(target, escaping, *label, Form::Script, options);
    QString script;
    script.resize(html.size() + html.size() / 2 + qsizetype(ScriptStream<char16_t>::kMaxFrameSize));
    qsizetype used = 0;
    // Where the next units go, with room for as many.
    const auto roomFor = [&](std::size_t units) {
        const qsizetype needed = used + qsizetype(units);
        if (needed > script.size())
            script.resize(std::max(needed, script.size() + script.size() / 2));
        return reinterpret_cast<char16_t*>(script.data()) + used;
    };
    const auto wrote = [&](const char16_t* from, const char16_t* end) { used += end - from; };
    char16_t* at = roomFor(ScriptStream<char16_t>::kMaxFrameSize);
    wrote(at, stream.begin(at));
    const auto piece = std::size_t(std::max<qsizetype>(pieceSize, 1));
    for (std::size_t start = 0; start < text.size(); start += piece) {
        const std::u16string_view block = text.substr(start, piece);
        at = roomFor(stream.maxFeedSize(block.size()));
        wrote(at, stream.feed(block, at));
    }
    at = roomFor(ScriptStream<char16_t>::kMaxFrameSize);
    wrote(at, stream.finish(at));
    script.truncate(used);
    return script;
}

std::u16string toU16(const QString& text)
{
    return text.toStdU16String();
}

std::string toUtf8(const QString& text)
{
    // Read through a const view: writing through the copy would copy the
    // whole text first, lone surrogate or not.
    QString whole = text;
    const QString& read = whole;
    for (qsizetype i = 0; i < read.size(); ++i) {
        const bool paired = read[i].isHighSurrogate() && i + 1 < read.size() && read[i + 1].isLowSurrogate();
        if (paired)
            ++i;
        else if (read[i].isSurrogate())
            whole[i] = QChar(QChar::ReplacementCharacter);
    }
    return whole.toStdString();
}

QString fromUtf8(std::string_view text)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(text.data(), qsizetype(text.size())));
}

QString fromU16(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

QString fromAscii(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tagora::runtime
