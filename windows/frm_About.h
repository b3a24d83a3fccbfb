// The About dialog: product, version, contact details, a disclaimer.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class frm_About : public QDialog {
    Q_OBJECT
public:
    // Opens centred over its parent, the window it is opened from, and
    // deletes itself when closed. Show it with exec().
    explicit frm_About(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* cmdOK = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createHeading();
    void createContactLabels();
    void createPhoneLabels();
    void createNotices();
    void createOkButton();
};
