#include "box_pane.h"

#include "main_window_geometry.h"
#include "window_helpers.h"

#include <algorithm>

namespace tagora {

using runtime::px;

BoxPane::BoxPane(const char* name, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QString::fromLatin1(name));
}

void BoxPane::setBox(QWidget* box)
{
    box_ = box;
    placeControls();
}

void BoxPane::keepFromRight(QWidget* control, int pixels)
{
    fromRight_.push_back({control, pixels});
    placeControls();
}

void BoxPane::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void BoxPane::placeControls()
{
    const int captionLine = px(geometry::kCaptionLineHeight);
    const int boxWidth = std::max(width() - px(geometry::kBoxRightMargin), 0);
    if (box_)
        box_->setGeometry(0, captionLine, boxWidth, std::max(height() - captionLine, 0));
    for (const FromRight& placed : fromRight_)
        placed.control->move(boxWidth - placed.pixels, placed.control->y());
}

}  // namespace tagora
