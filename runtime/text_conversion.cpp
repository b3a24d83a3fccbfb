#include "text_conversion.h"

#include "code_text_box.h"
#include "input_text/input_text.h"

#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <limits>

namespace tagora::runtime {
namespace {

std::u16string_view viewOf(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.constData()), static_cast<std::size_t>(text.size())};
}

bool isReplaced(QChar ch)
{
    return inputRule(ch.unicode(), false) == InputRule::Replace;
}

}  // namespace

// QPlainTextEdit::toPlainText() would turn non-breaking spaces into plain
// spaces; the raw text keeps every character and marks paragraph ends
// with U+2029, which the input text rules turn into CR LF in one pass.
QString editorText(const QPlainTextEdit* editor)
{
    return editorTextBefore(editor, std::numeric_limits<int>::max());
}

QString editorTextBefore(const QPlainTextEdit* editor, int position)
{
    const auto* box = qobject_cast<const CodeTextBox*>(editor);
    const QString raw = box ? box->rawText() : editor->document()->toRawText();
    const std::u16string_view rawText = viewOf(raw).substr(0, std::size_t(std::max(position, 0)));
    QString text(static_cast<qsizetype>(normalizedInputSize(rawText)), Qt::Uninitialized);
    normalizeInputText(rawText, reinterpret_cast<char16_t*>(text.data()));
    return text;
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
