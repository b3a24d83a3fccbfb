#include "readable_colours.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace tagora::runtime {
namespace {

double channel(double value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour)
{
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) + 0.0722 * channel(colour.blue());
}

QColor mixed(const QColor& colour, const QColor& towards, double share)
{
    const auto mix = [share](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * share)); };
    return QColor(mix(colour.red(), towards.red()), mix(colour.green(), towards.green()),
                  mix(colour.blue(), towards.blue()));
}

// Remembers the colour a widget was given for a role, and gives it again,
// readable, whenever the widget's palette changes.
class ReadableColour : public QObject {
public:
    ReadableColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
        : QObject(widget), widget_(widget), role_(role), colour_(colour)
    {
        widget->installEventFilter(this);
        apply();
    }

    QPalette::ColorRole role() const { return role_; }
    void setColour(const QColor& colour)
    {
        colour_ = colour;
        apply();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == widget_ && event->type() == QEvent::PaletteChange && !applying_)
            apply();
        return false;
    }

private:
    void apply()
    {
        const QPalette::ColorRole background =
            role_ == QPalette::Text ? QPalette::Base : widget_->backgroundRole();
        QPalette palette = widget_->palette();
        const QColor readable = readableOn(colour_, palette.color(background));
        if (palette.color(QPalette::Active, role_) == readable && palette.color(QPalette::Inactive, role_) == readable)
            return;
        applying_ = true;
        palette.setColor(QPalette::Active, role_, readable);
        palette.setColor(QPalette::Inactive, role_, readable);
        widget_->setPalette(palette);
        applying_ = false;
    }

    QWidget* widget_;
    QPalette::ColorRole role_;
    QColor colour_;
    bool applying_ = false;
};

}  // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& colour, const QColor& background)
{
    const QColor towards = luminance(background) < 0.18 ? QColor(255, 255, 255) : QColor(0, 0, 0);
    QColor result = colour;
    for (int step = 1; step <= 20 && contrastRatio(result, background) < kReadableContrast; ++step)
        result = mixed(colour, towards, step / 20.0);
    return result;
}

// A widget given a new colour for a role keeps one keeper for it.
void setReadableColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    for (QObject* child : widget->children()) {
        auto* keeper = dynamic_cast<ReadableColour*>(child);
        if (keeper && keeper->role() == role) {
            keeper->setColour(colour);
            return;
        }
    }
    new ReadableColour(widget, role, colour);
}

}  // namespace tagora::runtime
