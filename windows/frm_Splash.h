// The start-up splash: a picture with the version and the developer's
// contact details, closing itself on the third tick of its timer.
#pragma once

#include <QDialog>

class QLabel;
class QTimer;

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
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label13 = nullptr;

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
