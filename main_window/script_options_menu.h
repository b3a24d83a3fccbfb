// The Conversion menu's script options, remembered between runs: the
// header comment on or off, and the name of the JavaScript constant.
#pragma once

#include "script_writer/targets.h"

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace tagora {

class ScriptOptionsMenu : public QObject {
    Q_OBJECT
public:
    // Adds its items at the end of the menu; the window asks names.
    ScriptOptionsMenu(QMenu* menu, QWidget* window);

    ScriptOptions options() const;
    // Shows the name the JavaScript targets use; enabled for them only.
    void showTarget(std::optional<Target> target);
    // Asks for a name; one that cannot name a constant is refused with a
    // message and the name stays as it was. True when it changed.
    bool askVariableName();
    void setVariableName(const QString& name);

signals:
    void changed();

private:
    void remember() const;

    QAction* headerCommentItem_ = nullptr;  // "mnuHeaderComment"
    QAction* javaScriptNameItem_ = nullptr;  // "mnuJavaScriptName"

    QWidget* window_;
    QString variableName_;
};

}  // namespace tagora
