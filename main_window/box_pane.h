// One box with its caption line above it: the caption and links at their
// places on the line, controls that keep their distance from the box's
// right edge, and the box filling the rest but a margin at its right.
#pragma once

#include <QWidget>

#include <vector>

namespace tagora {

class BoxPane : public QWidget {
    Q_OBJECT
public:
    BoxPane(const char* name, QWidget* parent);

    void setBox(QWidget* box);
    // A control on the caption line whose left edge stays this many pixels
    // from the box's right edge.
    void keepFromRight(QWidget* control, int pixels);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeControls();

    QWidget* box_ = nullptr;
    struct FromRight {
        QWidget* control;
        int pixels;
    };
    std::vector<FromRight> fromRight_;
};

}  // namespace tagora
