#include "message_box.h"

#include <QMessageBox>

namespace tagora::runtime {
namespace {

MessageHook& messageHook()
{
    static MessageHook hook;
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

void setMessageHook(MessageHook hook)
{
    messageHook() = std::move(hook);
}

}  // namespace tagora::runtime
