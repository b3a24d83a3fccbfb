// The one place where text crosses between the program's text model and
// Qt's editors and strings.
//
// The program's texts separate lines with CR LF. A Qt text editor keeps
// paragraphs instead; any line break that reaches it (CR LF, LF or a lone
// CR, typed or pasted) starts a new paragraph. Reading an editor therefore
// joins its paragraphs with CR LF, and nothing else in the text changes:
// non-breaking spaces, TABs, U+2028, NUL and surrogate pairs stay as they
// are.
#pragma once

#include <QString>

#include <string>
#include <string_view>

class QPlainTextEdit;

namespace tagora::runtime {

QString editorText(const QPlainTextEdit* editor);
void setEditorText(QPlainTextEdit* editor, const QString& text);

std::u16string toU16(const QString& text);
QString fromU16(std::u16string_view text);
QString fromAscii(std::string_view text);

}  // namespace tagora::runtime
