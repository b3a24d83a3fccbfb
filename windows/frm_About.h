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

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createHeading();
    void createPhoneLabels();
    void createNotices();
    void createOkButton();

    QLabel* productName_ = nullptr;
    QLabel* icon_ = nullptr;
    QLabel* version_ = nullptr;
    ContactLabels contact_;  // "Label2", "Label3", ...
    QLabel* mobileNumber_ = nullptr;
    QLabel* secondNumber_ = nullptr;
    QLabel* disclaimer_ = nullptr;
    QLabel* contactRequest_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace tagora
