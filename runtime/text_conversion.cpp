#include "text_conversion.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace tagora::runtime {
namespace {

constexpr char16_t kParagraphEnd = 0x2029;
constexpr char16_t kFrameStart = 0xFDD0;
constexpr char16_t kFrameEnd = 0xFDD1;
constexpr char16_t kReplacement = 0xFFFD;

bool isFrameMark(char16_t c)
{
    return c == kFrameStart || c == kFrameEnd;
}

}  // namespace

// QPlainTextEdit::toPlainText() would turn non-breaking spaces into plain
// spaces; the raw text keeps every character and marks paragraph ends
// with U+2029. One pass turns each of those into CR LF.
QString editorText(const QPlainTextEdit* editor)
{
    const QString raw = editor->document()->toRawText();
    const qsizetype breaks = raw.count(QChar(kParagraphEnd));
    if (breaks == 0)
        return textForEditor(raw);
    QString text(raw.size() + breaks, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (const QChar ch : raw) {
        const char16_t c = ch.unicode();
        if (c == kParagraphEnd) {
            *out++ = u'\r';
            *out++ = u'\n';
        } else {
            *out++ = isFrameMark(c) ? kReplacement : c;
        }
    }
    return text;
}

// Straight into the document: QPlainTextEdit::setPlainText() would then
// also apply the editor's character format to the whole text, one more
// pass over a large page. Like setPlainText(), this clears the undo
// history and leaves the caret at the start.
void setEditorText(QPlainTextEdit* editor, const QString& text)
{
    editor->document()->setPlainText(textForEditor(text));
    editor->moveCursor(QTextCursor::Start);
}

QString textForEditor(QString text)
{
    const auto begin = reinterpret_cast<const char16_t*>(text.constData());
    const auto end = begin + text.size();
    if (std::find_if(begin, end, isFrameMark) == end)
        return text;
    for (QChar& ch : text) {
        if (isFrameMark(ch.unicode()))
            ch = QChar(kReplacement);
    }
    return text;
}

std::u16string toU16(const QString& text)
{
    return text.toStdU16String();
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
