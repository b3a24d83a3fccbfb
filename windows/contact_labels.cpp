#include "contact_labels.h"

#include "script_writer/credits.h"
#include "text_conversion.h"
#include "window_helpers.h"

#include <QLabel>

namespace tagora {

using namespace runtime;

ContactLabels addContactLabels(QWidget* parent, QPoint topLeft, bool withPostalAddress,
                               const ContactColors& colors)
{
    constexpr int kLine = 225;
    constexpr int kValueColumn = 540;  // the addresses, right of "E-mail:"
    const QFont regular = tahoma(8.25);
    const QFont bold = tahoma(8.25, true);
    const int left = topLeft.x();
    int top = topLeft.y();
    const auto nextLine = [&] { return top += kLine; };

    ContactLabels labels;
    labels.developedByCaption = addLabel(parent, "Label2", QStringLiteral("Developed By:"), {left, top},
                             tahoma(8.25, true, true), colors.text);
    labels.developer = addLabel(parent, "Label3", fromAscii(credits::kDeveloperName), {left, nextLine()}, bold,
                             colors.text);
    labels.company = addLabel(parent, "Label15", fromAscii(credits::kCompanyName), {left, nextLine()}, bold,
                              colors.company);
    if (withPostalAddress)
        labels.postalAddress = addLabel(parent, "Label6", fromAscii(credits::kPostalAddress), {left, nextLine()},
                                 regular, colors.text);
    labels.emailCaption = addLabel(parent, "Label4", QStringLiteral("E-mail:"), {left, nextLine()}, regular,
                             colors.text);
    labels.email = addLabel(parent, "Label5", fromAscii(credits::kContactEmail), {left + kValueColumn, top},
                             regular, colors.addresses);
    labels.webCaption = addLabel(parent, "Label10", QStringLiteral("URL:"), {left + 135, nextLine()}, regular,
                              colors.text);
    labels.developerWebAddress = addLabel(parent, "Label11", fromAscii(credits::kDeveloperWebAddress),
                              {left + kValueColumn, top}, regular, colors.addresses);
    labels.companyWebAddress = addLabel(parent, "Label13", fromAscii(credits::kCompanyWebAddress),
                              {left + kValueColumn, nextLine()}, regular, colors.addresses);
    return labels;
}

}  // namespace tagora
