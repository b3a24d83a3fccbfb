#include "main_layout.h"

#include "box_pane.h"
#include "main_window_geometry.h"
#include "window_helpers.h"

#include <QEvent>
#include <QSplitter>

namespace tagora {

using namespace runtime;

MainLayout::MainLayout(QWidget* client)
    : QObject(client), client_(client)
{
    splitter_ = new QSplitter(Qt::Vertical, client);
    splitter_->setObjectName(QStringLiteral("splBoxes"));
    splitter_->setChildrenCollapsible(false);
    splitter_->setHandleWidth(px(geometry::kSplitterHandle));
    const QRect boxes = geometry::kBoxesRect;
    splitter_->setGeometry(twipsRect(boxes.x(), boxes.y(), boxes.width(), boxes.height()));
    inputPane_ = new BoxPane("inputPane", splitter_);
    outputPane_ = new BoxPane("outputPane", splitter_);
    splitter_->addWidget(inputPane_);
    splitter_->addWidget(outputPane_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 1);
    shareEqually();
    anchors_.push_back({splitter_, splitter_->geometry(), false, true});
    client->installEventFilter(this);
    connect(splitter_, &QSplitter::splitterMoved, this, &MainLayout::arranged);
}

void MainLayout::keepInCorner(QWidget* control)
{
    anchors_.push_back({control, control->geometry(), true, false});
}

void MainLayout::keepAcross(QWidget* control)
{
    anchors_.push_back({control, control->geometry(), true, true});
}

MainLayout::Arrangement MainLayout::arrangement() const
{
    return splitter_->orientation() == Qt::Vertical ? Arrangement::Stacked : Arrangement::SideBySide;
}

void MainLayout::arrange(Arrangement arrangement)
{
    if (arrangement == this->arrangement())
        return;
    splitter_->setOrientation(arrangement == Arrangement::Stacked ? Qt::Vertical : Qt::Horizontal);
    shareEqually();
    emit arranged();
}

void MainLayout::shareEqually()
{
    const bool stacked = arrangement() == Arrangement::Stacked;
    const int room = (stacked ? splitter_->height() : splitter_->width()) - splitter_->handleWidth();
    splitter_->setSizes({room / 2, room - room / 2});
}

QByteArray MainLayout::state() const
{
    return splitter_->saveState();
}

bool MainLayout::restoreState(const QByteArray& state)
{
    return splitter_->restoreState(state);
}

bool MainLayout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_ && event->type() == QEvent::Resize)
        placeControls();
    return QObject::eventFilter(watched, event);
}

// Controls in the corner move by the room added in both directions;
// controls across the foot move down and grow wider; the boxes grow.
void MainLayout::placeControls()
{
    const QSize added = client_->size() - QSize(px(geometry::kClientSize.width()), px(geometry::kClientSize.height()));
    for (const Anchor& anchor : anchors_) {
        QRect place = anchor.smallest;
        if (anchor.moves && anchor.grows)
            place.adjust(0, added.height(), added.width(), added.height());
        else if (anchor.moves)
            place.translate(added.width(), added.height());
        else if (anchor.grows)
            place.adjust(0, 0, added.width(), added.height());
        anchor.control->setGeometry(place);
    }
}

}  // namespace tagora
