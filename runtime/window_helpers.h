// Small helpers the windows share: twips geometry, the classic fonts,
// self-sizing labels and centring.
// Modal windows are QDialogs shown with exec(), deleted on close.
#pragma once

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QRect>
#include <QString>

class QAction;
class QKeySequence;
class QLabel;
class QMenu;
class QMenuBar;
class QWidget;

namespace tagora::runtime {

// Window geometry is laid out in twips; 15 twips are one device-independent
// pixel.
constexpr int kTwipsPerPixel = 15;
constexpr int px(int twips)
{
    return twips / kTwipsPerPixel;
}
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// Fonts by their classic family names. Each names a metric-compatible
// stand-in as a second family and a style hint, so that a system without
// the original font picks a close match.
QFont courierNew(qreal pointSize);
QFont tahoma(qreal pointSize, bool bold = false, bool underline = false);
QFont msSansSerif(qreal pointSize, bool bold = false);

// A label that shows its text as plain text (never as markup, with "&"
// shown as it is), with a transparent background, sized to its text, and
// the given text colour (an invalid colour keeps the window's).
QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QPoint topLeftTwips,
                 const QFont& font, const QColor& color = QColor());
// The same for a label of a class of the caller's (a link, say).
QLabel* setUpLabel(QLabel* label, const char* name, const QString& text, QPoint topLeftTwips,
                   const QFont& font, const QColor& color = QColor());
void setLabelText(QLabel* label, const QString& text);

// Menus and menu items named after the members that hold them.
QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption);
QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption);
QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut);
QAction* addMenuSeparator(QMenu* menu, const char* name);

// Fixes the size of the window's client area: the user cannot resize it.
void setFixedClientSize(QWidget* window, int widthTwips, int heightTwips);

void centerOnScreen(QWidget* window);
void centerOver(QWidget* window, const QWidget* owner);

// The margins of a window's frame (title bar and borders): its own once it
// is shown, before that those of the window it opens over, or the style's.
QMargins frameMarginsOf(const QWidget* window, const QWidget* owner = nullptr);
// The most room a window's client area can take on its screen.
QSize clientRoomOnScreen(const QWidget* window, const QWidget* owner = nullptr);
// Shrinks the window if it must and moves it so that its frame lies whole
// on its screen's available area.
void keepOnScreen(QWidget* window, const QWidget* owner = nullptr);

}  // namespace tagora::runtime
