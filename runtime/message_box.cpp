#include "message_box.h"

#include <QMessageBox>

namespace tagora::runtime {
namespace {

MessageHook& messageHook()
{
    static MessageHook hook;
    return hook;
}

QuestionHook& questionHook()
{
    static QuestionHook hook;
    return hook;
}

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    return icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::Information;
}

}  // namespace

void showMessage(QWidget* parent, const QString& prompt, MessageIcon icon, const QString& title)
{
    const ShownMessage message{prompt, icon, title.isEmpty() ? kApplicationTitle : title};
    if (messageHook()) {
        messageHook()(message);
        return;
    }
    QMessageBox box(toQtIcon(icon), message.title, message.prompt, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool askYesNo(QWidget* parent, const QString& prompt, MessageIcon icon, const QString& title)
{
    const ShownMessage question{prompt, icon, title.isEmpty() ? kApplicationTitle : title};
    if (questionHook())
        return questionHook()(question);
    if (messageHook()) {
        messageHook()(question);
        return false;
    }
    QMessageBox box(toQtIcon(icon), question.title, question.prompt, QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void setQuestionHook(QuestionHook hook)
{
    questionHook() = std::move(hook);
}

void setMessageHook(MessageHook hook)
{
    messageHook() = std::move(hook);
}

}  // namespace tagora::runtime
