#include "window_helpers.h"

#include "readable_colours.h"

#include <QGuiApplication>
#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace tagora::runtime {
namespace {

QFont classicFont(const QString& family, const QString& standIn, QFont::StyleHint hint,
                  qreal pointSize)
{
    QFont font;
    font.setFamilies({family, standIn});
    font.setStyleHint(hint);
    font.setPointSizeF(pointSize);
    return font;
}

}  // namespace

QFont courierNew(qreal pointSize)
{
    return classicFont(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                       QFont::TypeWriter, pointSize);
}

QFont tahoma(qreal pointSize, bool bold, bool underline)
{
    QFont font = classicFont(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                             QFont::SansSerif, pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QFont msSansSerif(qreal pointSize, bool bold)
{
    QFont font = classicFont(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                             QFont::SansSerif, pointSize);
    font.setBold(bold);
    return font;
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QPoint topLeftTwips,
                 const QFont& font, const QColor& color)
{
    return setUpLabel(new QLabel(parent), name, text, topLeftTwips, font, color);
}

QLabel* setUpLabel(QLabel* label, const char* name, const QString& text, QPoint topLeftTwips,
                   const QFont& font, const QColor& color)
{
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAutoFillBackground(false);
    label->setFont(font);
    // Disabled labels keep the platform's greyed colour.
    if (color.isValid())
        setReadableColour(label, QPalette::WindowText, color);
    label->move(px(topLeftTwips.x()), px(topLeftTwips.y()));
    setLabelText(label, text);
    return label;
}

void setLabelText(QLabel* label, const QString& text)
{
    label->setText(text);
    label->resize(label->sizeHint());
}

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut)
{
    QAction* item = addMenuItem(menu, name, caption);
    item->setShortcut(shortcut);
    return item;
}

QAction* addMenuSeparator(QMenu* menu, const char* name)
{
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

void setFixedClientSize(QWidget* window, int widthTwips, int heightTwips)
{
    window->setFixedSize(px(widthTwips), px(heightTwips));
}

void centerOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void centerOver(QWidget* window, const QWidget* owner)
{
    if (!owner) {
        centerOnScreen(window);
        return;
    }
    QRect frame = window->frameGeometry();
    frame.moveCenter(owner->frameGeometry().center());
    window->move(frame.topLeft());
}

namespace {

QMargins marginsOfFrame(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

QRect availableArea(const QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

// Before a window is shown its frame is unknown: the owner's tells, or
// else the style's title bar and border.
QMargins frameMarginsOf(const QWidget* window, const QWidget* owner)
{
    const QMargins own = window->isVisible() ? marginsOfFrame(window) : QMargins();
    if (!own.isNull())
        return own;
    if (owner && !marginsOfFrame(owner->window()).isNull())
        return marginsOfFrame(owner->window());
    const int border = window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return {border, titleBar + border, border, border};
}

QSize clientRoomOnScreen(const QWidget* window, const QWidget* owner)
{
    return availableArea(window).size().shrunkBy(frameMarginsOf(window, owner));
}

void keepOnScreen(QWidget* window, const QWidget* owner)
{
    const QRect available = availableArea(window);
    if (available.isEmpty())
        return;
    const QMargins margins = frameMarginsOf(window, owner);
    const QSize room = available.size().shrunkBy(margins);
    // A size below the smallest is not what the window system will show.
    const QSize size = window->size().expandedTo(window->minimumSizeHint()).boundedTo(room);
    if (size != window->size())
        window->resize(size);
    const QRect frame = QRect(window->geometry().topLeft(), size).marginsAdded(margins);
    QRect kept = frame;
    kept.moveLeft(std::max(available.left(), std::min(frame.left(), available.right() - frame.width() + 1)));
    kept.moveTop(std::max(available.top(), std::min(frame.top(), available.bottom() - frame.height() + 1)));
    if (kept != frame)
        window->move(window->pos() + (kept.topLeft() - frame.topLeft()));
}

}  // namespace tagora::runtime
