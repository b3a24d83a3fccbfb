#include "clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tagora::runtime {

void setClipboardText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

}  // namespace tagora::runtime
