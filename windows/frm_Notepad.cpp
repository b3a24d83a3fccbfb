#include "frm_Notepad.h"

#include "code_text_box.h"
#include "text_conversion.h"

// Placeholder until the window is built.
frm_Notepad::frm_Notepad(QWidget* parent)
    : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    txtHelp = new tagora::runtime::CodeTextBox(this);
    setCentralWidget(txtHelp);
}

void frm_Notepad::setText(const QString& text)
{
    tagora::runtime::setEditorText(txtHelp, text);
}
