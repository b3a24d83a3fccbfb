#include "frm_About.h"

// Placeholder until the window is built.
frm_About::frm_About(QWidget* parent)
    : QDialog(parent)
{
}
