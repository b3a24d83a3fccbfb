// The one place where text crosses between the program's text model and
// Qt's editors and strings.
//
// The program's texts separate lines with CR LF. A Qt text editor keeps
// paragraphs instead; any line break that reaches it (CR LF, LF, a lone
// CR or U+2029, typed, pasted, dropped or read from a file) starts a new
// paragraph. Reading an editor therefore joins its paragraphs with CR LF,
// and nothing else in the text changes: non-breaking spaces, TABs, U+2028,
// NUL and surrogate pairs stay as they are.
//
// Qt's text document would also turn the noncharacters U+FDD0 and U+FDD1
// into paragraph breaks; they become U+FFFD on the way in instead, as in
// tagora-convert.
#pragma once

#include "script_writer/targets.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

class QPlainTextEdit;

namespace tagora::runtime {

QString editorText(const QPlainTextEdit* editor);
// The same for the editor's text before a position of its document.
QString editorTextBefore(const QPlainTextEdit* editor, int position);
void setEditorText(QPlainTextEdit* editor, const QString& text);

// The text as an editor may take it: U+FDD0 and U+FDD1 become U+FFFD.
QString textForEditor(QString text);

// The script of the target that prints the text, as script() writes it
// (script_writer/script_generator.h), as a QString, written `pieceSize`
// units of the text at a time.
inline constexpr qsizetype kScriptPieceSize = 1 << 16;
std::optional<QString> scriptText(Target target, Escaping escaping, QStringView html,
                                  const ScriptOptions& options = {}, qsizetype pieceSize = kScriptPieceSize);

std::u16string toU16(const QString& text);
// UTF-8 in and out, every character kept (a leading U+FEFF too, which
// QString::fromUtf8() drops); a lone surrogate, which UTF-8 cannot hold,
// becomes U+FFFD (QString::toUtf8() would write "?").
std::string toUtf8(const QString& text);
QString fromUtf8(std::string_view text);
QString fromU16(std::u16string_view text);
QString fromAscii(std::string_view text);

}  // namespace tagora::runtime
