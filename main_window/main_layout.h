// How the main window's client area is laid out: the two boxes in their
// panes with a splitter between them, stacked (as the window has always
// been) or side by side; the buttons, the white line and the status strip
// against the bottom of the window. The room added to the window's
// smallest size goes to the boxes; the splitter shares it between them.
#pragma once

#include <QObject>
#include <QRect>

#include <vector>

class QSplitter;
class QWidget;

namespace tagora {

class BoxPane;

class MainLayout : public QObject {
    Q_OBJECT
public:
    enum class Arrangement { Stacked, SideBySide };

    // Creates the splitter and the two panes in the client area.
    explicit MainLayout(QWidget* client);

    BoxPane* inputPane() const { return inputPane_; }
    BoxPane* outputPane() const { return outputPane_; }

    // Controls that keep their place against the bottom right corner
    // (the buttons), or their distance from the bottom across the whole
    // width (the line, the status strip).
    void keepInCorner(QWidget* control);
    void keepAcross(QWidget* control);

    Arrangement arrangement() const;
    // A new arrangement shares the room equally between the boxes.
    void arrange(Arrangement arrangement);
    // The arrangement and where the splitter stands, as saved and restored
    // between runs.
    QByteArray state() const;
    bool restoreState(const QByteArray& state);

signals:
    void arranged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeControls();
    void shareEqually();

    QWidget* client_;
    QSplitter* splitter_ = nullptr;
    BoxPane* inputPane_ = nullptr;
    BoxPane* outputPane_ = nullptr;
    struct Anchor {
        QWidget* control;
        QRect smallest;  // its place at the window's smallest size
        bool moves, grows;  // with the added width and height
    };
    std::vector<Anchor> anchors_;
};

}  // namespace tagora
