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

    QTimer* Timer1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label14 = nullptr;
    ContactLabels contact;  // Label2, Label3, ...

    qint16 tickCount = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
    // The user cannot close the splash: Escape and close requests do nothing.
    void reject() override {}

private:
    QWidget* createClient();
    void createLabels(QWidget* client);
    void Timer1_Timer();
    void unload();
};

}  // namespace tagora
