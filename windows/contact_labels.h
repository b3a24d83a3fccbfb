// The developer's contact details as the About and splash windows show
// them: "Developed By:", the developer, the company (with, on the About
// window, the postal address under it), "E-mail:" and the address, "URL:"
// and the two web addresses.
#pragma once

#include <QColor>
#include <QPoint>

class QLabel;
class QWidget;

namespace tagora {

struct ContactLabels {
    QLabel* developedByCaption = nullptr;  // "Developed By:"
    QLabel* developer = nullptr;  // the developer
    QLabel* company = nullptr;  // the company
    QLabel* postalAddress = nullptr;  // the postal address, when asked for
    QLabel* emailCaption = nullptr;  // "E-mail:"
    QLabel* email = nullptr;
    QLabel* webCaption = nullptr;  // "URL:"
    QLabel* developerWebAddress = nullptr;  // the developer's web address
    QLabel* companyWebAddress = nullptr;  // the company's
};

struct ContactColors {
    QColor text;  // an invalid colour keeps the window's
    QColor company;
    QColor addresses;
};

// The labels, one line (225 twips) under another from topLeft, in twips.
ContactLabels addContactLabels(QWidget* parent, QPoint topLeft, bool withPostalAddress,
                               const ContactColors& colors);

}  // namespace tagora
