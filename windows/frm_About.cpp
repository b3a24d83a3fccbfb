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
    contact = addContactLabels(this, {900, 945}, true, {QColor(), kCompanyBlue, kAddressBlue});
    createPhoneLabels();
    createNotices();
    createOkButton();
}

void frm_About::createHeading()
{
    Label1 = addLabel(this, "Label1", fromAscii(credits::kProductName), {900, 225},
                      tahoma(14.25, true), kNavy);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(225, 270, 480, 480));
    Image1->setPixmap(artwork::applicationIconPixmap());
    Image1->setAccessibleName(fromAscii(credits::kProductName));
    Label14 = addLabel(this, "Label14", QStringLiteral("Version: ") + fromAscii(credits::kVersion),
                       {900, 585}, tahoma(8.25));
}

// The second number stands right under the number part of the first.
void frm_About::createPhoneLabels()
{
    const QFont regular = tahoma(8.25);
    const QString prefix = QString::fromLatin1(kMobilePrefix);
    Label7 = addLabel(this, "Label7", prefix + fromAscii(credits::kMobileNumber), {900, 2520},
                      regular);
    Label12 = addLabel(this, "Label12", fromAscii(credits::kSecondNumber), {1665, 2745}, regular);
    Label12->move(Label7->x() + Label7->fontMetrics().horizontalAdvance(prefix), Label12->y());
}

void frm_About::createNotices()
{
    Label9 = addWrappingLabel(this, "Label9", disclaimer(), {315, 3105, 5415, 690});
    Label8 = addWrappingLabel(this, "Label8",
                              QStringLiteral("If you have any comment, suggestions or problem "
                                             "using this software please contact me."),
                              {315, 3870, 5415, 465});
}

// OK is both the default (Enter) and the cancel (Escape) button.
void frm_About::createOkButton()
{
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(4275, 4545, 1365, 375));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    cmdOK->setFocus();
}

void frm_About::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tagora
