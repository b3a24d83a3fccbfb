// The commands that hand the window's texts out: Copy Script, Copy as
// Literal and the character listing, each confirmed in the status strip.
#pragma once

#include <QObject>

class QWidget;

namespace tagora {

class ScriptOutput;
class StatusStrip;
class WindowConversion;

class OutputCommands : public QObject {
    Q_OBJECT
public:
    OutputCommands(QWidget* window, WindowConversion* conversion, ScriptOutput* output, StatusStrip* statusStrip);

    void copyScript();
    // The input as one string literal of the chosen target.
    void copyLiteral();
    // The code of every input character after the output, for inputs up
    // to the longest given.
    void listCharacterCodes(qsizetype longestInput);

private:
    QString inputText() const;

    QWidget* window_;
    WindowConversion* conversion_;
    ScriptOutput* output_;
    StatusStrip* statusStrip_;
};

}  // namespace tagora
