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
    QLabel* Label2 = nullptr;   // "Developed By:"
    QLabel* Label3 = nullptr;   // the developer
    QLabel* Label15 = nullptr;  // the company
    QLabel* Label6 = nullptr;   // the postal address, when asked for
    QLabel* Label4 = nullptr;   // "E-mail:"
    QLabel* Label5 = nullptr;
    QLabel* Label10 = nullptr;  // "URL:"
    QLabel* Label11 = nullptr;  // the developer's web address
    QLabel* Label13 = nullptr;  // the company's
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
