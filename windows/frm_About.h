// The About dialog: product, version, contact details, a disclaimer.
#pragma once

#include "contact_labels.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace tagora {

class frm_About : public QDialog {
    Q_OBJECT
public:
    // Opens centred over its parent, the window it is opened from, and
    // deletes itself when closed. Show it with exec().
    explicit frm_About(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label14 = nullptr;
    ContactLabels contact;  // Label2, Label3, ...
    QLabel* Label7 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* cmdOK = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createHeading();
    void createPhoneLabels();
    void createNotices();
    void createOkButton();
};

}  // namespace tagora
