// The start-up splash: a picture with the version and the developer's
// contact details, closing itself on the third tick of its timer.
#pragma once

#include "contact_labels.h"

#include <QDialog>

class QLabel;
class QTimer;

namespace tagora {

class frm_Splash : public QDialog {
    Q_OBJECT
public:
    explicit frm_Splash(QWidget* parent = nullptr);

    // Shows the splash centred on the screen, modal, and returns once it
    // has closed itself (the window deletes itself on close).
    void showModally();

protected:
    void paintEvent(QPaintEvent* event) override;
    // The user cannot close the splash: Escape and close requests do nothing.
    void reject() override {}

private:
    QWidget* createClient();
    void createLabels(QWidget* client);
    void tick();
    void unload();

    QTimer* closeTimer_ = nullptr;
    QLabel* icon_ = nullptr;
    QLabel* version_ = nullptr;
    ContactLabels contact_;  // "Label2", "Label3", ...

    qint16 ticks_ = 0;
};

}  // namespace tagora
