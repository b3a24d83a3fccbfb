#include "frm_Notepad.h"

#include "artwork.h"
#include "clipboard.h"
#include "code_text_box.h"
#include "frm_About.h"
#include "text_conversion.h"
#include "window_helpers.h"

#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>

using namespace tagora;
using namespace tagora::runtime;

namespace {

constexpr int kClientWidth = 9300;
constexpr int kClientHeight = 7815;

}  // namespace

frm_Notepad::frm_Notepad(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frm_Notepad"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Code"));
    setWindowIcon(artwork::applicationIcon());
    createTextBox();
    createMenus();
    // The client area below the menu bar starts at its stored size.
    resize(px(kClientWidth), px(kClientHeight) + menuBar()->sizeHint().height());
}

// As the central widget the text box fills the window below the menu bar
// at every size; the layout never gives it a negative size, so a tiny or
// minimized window needs no special care.
void frm_Notepad::createTextBox()
{
    txtHelp = new CodeTextBox(this);
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    txtHelp->setFont(courierNew(11.25));
    setCentralWidget(txtHelp);
    txtHelp->setFocus();
}

void frm_Notepad::createMenus()
{
    mnuFile = addMenu(menuBar(), "mnuFile", tr("&File"));
    mnuExit1 = addMenuItem(mnuFile, "mnuExit1", tr("E&xit"));
    mnuEdit = addMenu(menuBar(), "mnuEdit", tr("&Edit"));
    mnuCopy = addMenuItem(mnuEdit, "mnuCopy", tr("&Copy"));
    mnuHelp = addMenu(menuBar(), "mnuHelp", tr("&Help"));
    mnuAbout = addMenuItem(mnuHelp, "mnuAbout", tr("&About..."));

    connect(mnuExit1, &QAction::triggered, this, &QWidget::close);
    connect(mnuCopy, &QAction::triggered, this, &frm_Notepad::copyAll);
    connect(mnuAbout, &QAction::triggered, this, &frm_Notepad::showAbout);
}

void frm_Notepad::setText(const QString& text)
{
    setEditorText(txtHelp, text);
}

// The whole text, whatever is selected, with no message.
void frm_Notepad::copyAll()
{
    setClipboardText(editorText(txtHelp));
}

void frm_Notepad::showAbout()
{
    frm_About about(this);
    about.exec();
}

void frm_Notepad::showEvent(QShowEvent* event)
{
    if (!placed_ && !event->spontaneous()) {
        centerOver(this, parentWidget());
        placed_ = true;
    }
    QMainWindow::showEvent(event);
}
