// How the main window shows its conversion mode: the menu's check marks,
// the drop-down beside the boxes, Copy as Literal, the captions and menu
// texts that name what the boxes hold, and the colours of both boxes. The
// output caption also says when the output is out of date or could not be
// made, and follows the output's state and kind as they change.
#pragma once

#include <QObject>

namespace tagora {

class MainControls;
class MainMenus;
class ScriptColours;
class ScriptOutput;
class WindowConversion;

class ModeDisplay : public QObject {
    Q_OBJECT
public:
    struct Parts {
        WindowConversion* conversion;
        ScriptOutput* output;
        MainMenus* menus;
        MainControls* controls;
        ScriptColours* colours;
    };
    explicit ModeDisplay(const Parts& parts, QObject* parent);

    // Everything follows the conversion's mode. The output caption ends in
    // a colon only until a mode is chosen, as the window always did.
    void showMode(bool withColon = false);
    void showCaptions();

private:
    Parts parts_;
    bool outputCaptionHasColon_ = true;  // until a mode is chosen
};

}  // namespace tagora
