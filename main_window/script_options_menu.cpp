#include "script_options_menu.h"

#include "message_box.h"
#include "settings.h"
#include "window_helpers.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>

namespace tagora {

using namespace runtime;

ScriptOptionsMenu::ScriptOptionsMenu(QMenu* menu, QWidget* window) : QObject(menu), window_(window)
{
    addMenuSeparator(menu, "mnuConversionsep2");
    headerCommentItem_ = addMenuItem(menu, "mnuHeaderComment", tr("Header &Comment"));
    headerCommentItem_->setCheckable(true);
    headerCommentItem_->setStatusTip(tr("Start each script with the comment lines naming this program"));
    javaScriptNameItem_ = addMenuItem(menu, "mnuJavaScriptName", tr("JavaScript Na&me..."));
    javaScriptNameItem_->setStatusTip(tr("The name of the constant that holds the text in JavaScript"));
    const RememberedScriptOptions remembered = rememberedScriptOptions();
    headerCommentItem_->setChecked(remembered.header);
    const QString name = remembered.variableName;
    variableName_ = isValidVariableName(name.toStdString()) ? name : QString::fromLatin1(kDefaultVariableName);
    connect(headerCommentItem_, &QAction::toggled, this, [this] {
        remember();
        emit changed();
    });
    connect(javaScriptNameItem_, &QAction::triggered, this, [this] {
        if (askVariableName())
            emit changed();
    });
}

ScriptOptions ScriptOptionsMenu::options() const
{
    return {headerCommentItem_->isChecked(), variableName_.toStdString()};
}

void ScriptOptionsMenu::showTarget(std::optional<Target> target)
{
    const bool javaScript = target && (*target == Target::Js || *target == Target::JsConcat);
    javaScriptNameItem_->setEnabled(javaScript);
    javaScriptNameItem_->setStatusTip(tr("The name of the constant that holds the text in JavaScript: %1")
                                        .arg(variableName_));
    headerCommentItem_->setEnabled(target && *target != Target::Json);
}

bool ScriptOptionsMenu::askVariableName()
{
    bool accepted = false;
    const QString name = QInputDialog::getText(window_, tr("JavaScript Name"),
                                               tr("Name of the constant that holds the text:"), QLineEdit::Normal,
                                               variableName_, &accepted).trimmed();
    if (!accepted || name == variableName_)
        return false;
    if (!isValidVariableName(name.toStdString())) {
        showMessage(window_,
                    tr("\"%1\" cannot name a JavaScript constant: give letters, digits, _ and $, at most %2, "
                       "not starting with a digit, and no reserved word.")
                        .arg(name)
                        .arg(kLongestVariableName),
                    MessageIcon::Exclamation);
        return false;
    }
    setVariableName(name);
    return true;
}

void ScriptOptionsMenu::setVariableName(const QString& name)
{
    variableName_ = name;
    javaScriptNameItem_->setStatusTip(tr("The name of the constant that holds the text in JavaScript: %1")
                                        .arg(variableName_));
    remember();
}

void ScriptOptionsMenu::remember() const
{
    rememberScriptOptions({headerCommentItem_->isChecked(), variableName_});
}

}  // namespace tagora
