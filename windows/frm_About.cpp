#include "frm_About.h"

#include "artwork.h"
#include "script_writer/credits.h"
#include "text_conversion.h"
#include "window_helpers.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace tagora {

using namespace runtime;

namespace {

constexpr int kClientWidth = 6030;
constexpr int kClientHeight = 5055;
const QColor kNavy(0, 0, 128);
const QColor kCompanyBlue(0, 0, 192);
const QColor kAddressBlue(0, 0, 255);
constexpr char kMobilePrefix[] = "Mob. No.: ";

// A label of the dialog's own font that keeps its size and wraps its text
// within it.
QLabel* addWrappingLabel(QWidget* parent, const char* name, const QString& text, QRect twips)
{
    QLabel* label = addLabel(parent, name, text, twips.topLeft(), parent->font());
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return label;
}

const QString& disclaimer()
{
    static const QString text = QStringLiteral(
        "This software is provided as it is, without warranty of any kind, express or implied. "
        "You use it entirely at your own risk: the developer accepts no liability for any loss "
        "or damage arising from its use.");
    return text;
}

}  // namespace

frm_About::frm_About(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frm_About"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About..."));
    setFont(msSansSerif(8.25));
    setFixedClientSize(this, kClientWidth, kClientHeight);
    createHeading();
    contact_ = addContactLabels(this, {900, 945}, true, {QColor(), kCompanyBlue, kAddressBlue});
    createPhoneLabels();
    createNotices();
    createOkButton();
}

void frm_About::createHeading()
{
    productName_ = addLabel(this, "Label1", fromAscii(credits::kProductName), {900, 225},
                      tahoma(14.25, true), kNavy);
    icon_ = new QLabel(this);
    icon_->setObjectName(QStringLiteral("Image1"));
    icon_->setGeometry(twipsRect(225, 270, 480, 480));
    icon_->setPixmap(artwork::applicationIconPixmap());
    icon_->setAccessibleName(fromAscii(credits::kProductName));
    version_ = addLabel(this, "Label14", QStringLiteral("Version: ") + fromAscii(credits::kVersion),
                       {900, 585}, tahoma(8.25));
}

// The second number stands right under the number part of the first.
void frm_About::createPhoneLabels()
{
    const QFont regular = tahoma(8.25);
    const QString prefix = QString::fromLatin1(kMobilePrefix);
    mobileNumber_ = addLabel(this, "Label7", prefix + fromAscii(credits::kMobileNumber), {900, 2520},
                      regular);
    secondNumber_ = addLabel(this, "Label12", fromAscii(credits::kSecondNumber), {1665, 2745}, regular);
    secondNumber_->move(mobileNumber_->x() + mobileNumber_->fontMetrics().horizontalAdvance(prefix), secondNumber_->y());
}

void frm_About::createNotices()
{
    disclaimer_ = addWrappingLabel(this, "Label9", disclaimer(), {315, 3105, 5415, 690});
    contactRequest_ = addWrappingLabel(this, "Label8",
                              QStringLiteral("If you have any comment, suggestions or problem "
                                             "using this software please contact_ me."),
                              {315, 3870, 5415, 465});
}

// OK is both the default (Enter) and the cancel (Escape) button.
void frm_About::createOkButton()
{
    okButton_ = new QPushButton(QStringLiteral("&OK"), this);
    okButton_->setObjectName(QStringLiteral("cmdOK"));
    okButton_->setGeometry(twipsRect(4275, 4545, 1365, 375));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    okButton_->setFocus();
}

void frm_About::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        okButton_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tagora
