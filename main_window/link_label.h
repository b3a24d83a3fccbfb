// A label that looks and acts like a link: blue, underlined, the hand
// cursor, and a clicked() signal. It takes the keyboard focus like a
// button, shows the style's focus frame, and Enter or Space act as a click.
// Screen readers see a link with a "Press" action.
#pragma once

#include <QLabel>

namespace tagora {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent = nullptr);

    // Clicks the link once control is back in the event loop, as a
    // button's animated click does: a screen reader's request returns at
    // once, even when the link opens a modal window.
    void clickLater();

signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool pressed_ = false;
};

}  // namespace tagora
