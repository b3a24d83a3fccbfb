#include "frm_Splash.h"

// Placeholder until the window is built.
frm_Splash::frm_Splash(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void frm_Splash::showModally()
{
    close();
}
