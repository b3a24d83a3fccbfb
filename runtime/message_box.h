// Message boxes: a prompt, an icon, one OK button and a title.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tagora::runtime {

enum class MessageIcon { Exclamation = 48, Information = 64 };

// The title a message box shows when the caller gives none.
inline constexpr char kApplicationTitle[] = "Tagora";

struct ShownMessage {
    QString prompt;
    MessageIcon icon;
    QString title;
};

// Shows the prompt as plain text and blocks until the user presses OK.
void showMessage(QWidget* parent, const QString& prompt, MessageIcon icon,
                 const QString& title = QString());

// Test hook: while set, showMessage() passes the message to the hook
// instead of opening a dialog. Pass an empty function to remove it.
using MessageHook = std::function<void(const ShownMessage&)>;
void setMessageHook(MessageHook hook);

}  // namespace tagora::runtime
