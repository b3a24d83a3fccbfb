// The system clipboard, plain text only.
#pragma once

#include <QString>

namespace tagora::runtime {

// Replaces the clipboard's text with exactly the given text (line breaks
// included, as they are).
void setClipboardText(const QString& text);

}  // namespace tagora::runtime
