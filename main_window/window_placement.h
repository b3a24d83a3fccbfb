// Where the main window lies and how its boxes are arranged, both kept
// between runs. The window comes back at the size and place it had when
// last closed, maximized if it was, and lies whole on the screen; its
// client area is never smaller than its stored size where the screen has
// room for it. The boxes come back stacked or side by side, the splitter
// where it stood.
#pragma once

#include <QObject>
#include <QSize>

class QMainWindow;

namespace tagora {

class MainLayout;
class MainMenus;

class WindowPlacement : public QObject {
    Q_OBJECT
public:
    // Restores the boxes' arrangement at once, and follows View > Stacked
    // and View > Side by Side from then on.
    WindowPlacement(QMainWindow* window, MainLayout* layout, MainMenus* menus, int framedMs);

    // The client area's stored size: its first size, and its smallest
    // where the screen has room for it.
    static QSize storedClientSize();

    // Shows the window where it was last closed; the first time at its
    // stored size, centred. Once the window manager has framed it (after
    // the given time), it is fitted to the screen again.
    void showWindow();
    // The smallest size is the stored one, where the screen has room for
    // it at its scaling; else the room the screen has.
    void fitToScreen();
    // The window's place and the boxes' arrangement, for the next run.
    void remember() const;

private:
    void rememberArrangement() const;
    void restoreArrangement();

    QMainWindow* window_;
    MainLayout* layout_;
    MainMenus* menus_;
    int framedMs_;
};

}  // namespace tagora
