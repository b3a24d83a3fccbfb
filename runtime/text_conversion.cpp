#include "text_conversion.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace tagora::runtime {

// QPlainTextEdit::toPlainText() would turn non-breaking spaces into plain
// spaces; the raw text keeps every character and marks paragraph ends
// with U+2029.
QString editorText(const QPlainTextEdit* editor)
{
    QString text = editor->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return text;
}

void setEditorText(QPlainTextEdit* editor, const QString& text)
{
    editor->setPlainText(text);
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
