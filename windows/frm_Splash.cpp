#include "frm_Splash.h"

#include "artwork.h"
#include "script_writer/credits.h"
#include "text_conversion.h"
#include "window_helpers.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace tagora {

using namespace runtime;

namespace {

constexpr int kClientWidth = 4320;
constexpr int kClientHeight = 3480;
constexpr int kBorder = 1;  // pixels of the thin frame around the picture
constexpr int kTickInterval = 500;
constexpr int kTicksShown = 2;  // the tick after these unloads the window

// The client area: the picture, unscaled from the top-left corner and cut
// off at the edges, over the window's own background colour.
class SplashClient : public QWidget {
public:
    explicit SplashClient(QWidget* parent)
        : QWidget(parent), picture_(artwork::splashPicture())
    {
        setObjectName(QStringLiteral("client"));
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawPixmap(0, 0, picture_);
    }

private:
    QPixmap picture_;
};

}  // namespace

frm_Splash::frm_Splash(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frm_Splash"));
    // No title on screen; a screen reader still names the window.
    setAccessibleName(fromAscii(credits::kProductName));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(px(kClientWidth) + 2 * kBorder, px(kClientHeight) + 2 * kBorder);
    createLabels(createClient());

    // Load: the counter starts at nought and the timer runs from now on.
    ticks_ = 0;
    closeTimer_ = new QTimer(this);
    closeTimer_->setObjectName(QStringLiteral("Timer1"));
    closeTimer_->setInterval(kTickInterval);
    closeTimer_->setTimerType(Qt::PreciseTimer);
    connect(closeTimer_, &QTimer::timeout, this, &frm_Splash::tick);
    closeTimer_->start();
}

QWidget* frm_Splash::createClient()
{
    auto* client = new SplashClient(this);
    client->setGeometry(kBorder, kBorder, px(kClientWidth), px(kClientHeight));
    return client;
}

void frm_Splash::createLabels(QWidget* client)
{
    icon_ = new QLabel(client);
    icon_->setObjectName(QStringLiteral("Image1"));
    icon_->setGeometry(twipsRect(495, 2025, 480, 480));
    icon_->setPixmap(artwork::applicationIconPixmap());
    icon_->setAccessibleName(fromAscii(credits::kProductName));

    version_ = addLabel(client, "Label14", QStringLiteral("Ver: ") + fromAscii(credits::kVersion), {2700, 1530},
                       tahoma(8.25));
    const QColor white(255, 255, 255);
    contact_ = addContactLabels(client, {1215, 1890}, false, {white, white, white});
}

void frm_Splash::showModally()
{
    centerOnScreen(this);
    exec();
}

void frm_Splash::tick()
{
    ++ticks_;
    if (ticks_ > kTicksShown)
        unload();
}

// Stops the timer first, so that the counter can never pass three.
void frm_Splash::unload()
{
    closeTimer_->stop();
    accept();
}

// The thin one-pixel frame around the client area.
void frm_Splash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace tagora
