// Message boxes: a prompt, an icon, a title, and one OK button or Yes and No.
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

// Shows the prompt as plain text with Yes and No buttons (No the default
// and Escape's) and blocks until the user answers; true for Yes.
bool askYesNo(QWidget* parent, const QString& prompt, MessageIcon icon, const QString& title = QString());

// Test hook: while set, showMessage() passes the message to the hook
// instead of opening a dialog. Pass an empty function to remove it.
using MessageHook = std::function<void(const ShownMessage&)>;
void setMessageHook(MessageHook hook);
// Test hook: while set, askYesNo() passes the question to the hook, which
// answers it. Without it, a question goes to the message hook, if set,
// and is answered No.
using QuestionHook = std::function<bool(const ShownMessage&)>;
void setQuestionHook(QuestionHook hook);

}  // namespace tagora::runtime
