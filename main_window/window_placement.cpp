#include "window_placement.h"

#include "main_layout.h"
#include "main_menus.h"
#include "main_window_geometry.h"
#include "settings.h"
#include "window_helpers.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

namespace tagora {

using namespace runtime;

WindowPlacement::WindowPlacement(QMainWindow* window, MainLayout* layout, MainMenus* menus, int framedMs)
    : QObject(window), window_(window), layout_(layout), menus_(menus), framedMs_(framedMs)
{
    connect(menus->stackedItem, &QAction::triggered, this, [this] { layout_->arrange(MainLayout::Arrangement::Stacked); });
    connect(menus->sideBySideItem, &QAction::triggered, this,
            [this] { layout_->arrange(MainLayout::Arrangement::SideBySide); });
    connect(layout, &MainLayout::arranged, this, &WindowPlacement::rememberArrangement);
    restoreArrangement();
}

QSize WindowPlacement::storedClientSize()
{
    return {px(geometry::kClientSize.width()), px(geometry::kClientSize.height())};
}

void WindowPlacement::showWindow()
{
    fitToScreen();
    if (!window_->restoreGeometry(rememberedWindowGeometry())) {
        const QSize stored = storedClientSize();
        window_->resize(QSize(stored.width(), stored.height() + window_->menuBar()->sizeHint().height())
                            .expandedTo(window_->minimumSizeHint()));
        centerOnScreen(window_);
    }
    keepOnScreen(window_);
    window_->show();
    // The window manager's frame is known once it has framed the window.
    QTimer::singleShot(framedMs_, this, [this] {
        fitToScreen();
        if (!window_->isMaximized())
            keepOnScreen(window_);
    });
}

void WindowPlacement::fitToScreen()
{
    const QSize least(px(geometry::kLeastClientSize.width()), px(geometry::kLeastClientSize.height()));
    const QSize room = clientRoomOnScreen(window_) - QSize(0, window_->menuBar()->sizeHint().height());
    window_->centralWidget()->setMinimumSize(storedClientSize().boundedTo(room).expandedTo(least.boundedTo(room)));
}

void WindowPlacement::remember() const
{
    rememberWindowGeometry(window_->saveGeometry());
    rememberArrangement();
}

void WindowPlacement::rememberArrangement() const
{
    const bool sideBySide = layout_->arrangement() == MainLayout::Arrangement::SideBySide;
    rememberBoxArrangement({sideBySide, layout_->state()});
}

// Stacked the first time, as the window has always been.
void WindowPlacement::restoreArrangement()
{
    const RememberedArrangement remembered = rememberedBoxArrangement();
    layout_->arrange(remembered.sideBySide ? MainLayout::Arrangement::SideBySide : MainLayout::Arrangement::Stacked);
    layout_->restoreState(remembered.splitter);
    (remembered.sideBySide ? menus_->sideBySideItem : menus_->stackedItem)->setChecked(true);
}

}  // namespace tagora
