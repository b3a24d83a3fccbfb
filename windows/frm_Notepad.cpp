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
#include <QVBoxLayout>


namespace tagora {

using namespace runtime;

namespace {

constexpr int kClientWidth = 9300;
constexpr int kClientHeight = 7815;
constexpr qreal kShareOfScreen = 0.85;

}  // namespace

// A window of its own (with minimize and maximize buttons) that is still
// a dialog, so that exec() shows it modally.
frm_Notepad::frm_Notepad(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frm_Notepad"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Code"));
    setWindowIcon(artwork::applicationIcon());
    createTextBox();
    createMenus();
    // The client area below the menu bar starts at its stored size.
    resize(px(kClientWidth), px(kClientHeight) + menuBar_->sizeHint().height());
}

// The layout makes the text box fill the window below the menu bar at
// every size; it never gives it a negative size, so a tiny or minimized
// window needs no special care.
void frm_Notepad::createTextBox()
{
    textBox_ = new CodeTextBox(this);
    textBox_->setObjectName(QStringLiteral("txtHelp"));
    textBox_->setFont(courierNew(11.25));
    // Read-only: what is typed here would never reach the main window. The
    // caret still moves, and text can be selected and copied.
    textBox_->setReadOnly(true);
    textBox_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    textBox_->setAccessibleName(tr("Code"));
    textBox_->setAccessibleDescription(tr("A read-only copy of the text"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(textBox_);
    textBox_->setFocus();
    textBox_->setLineNumbersShown(true);
    colours_ = new SyntaxHighlighter(textBox_->document());
    colours_->setPalette(textBox_->palette());
}

void frm_Notepad::createMenus()
{
    menuBar_ = new QMenuBar(this);
    layout()->setMenuBar(menuBar_);
    QAction* exitItem = addMenuItem(addMenu(menuBar_, "mnuFile", tr("&File")), "mnuExit1", tr("E&xit"));
    QAction* copyItem = addMenuItem(addMenu(menuBar_, "mnuEdit", tr("&Edit")), "mnuCopy", tr("&Copy"));
    QAction* aboutItem = addMenuItem(addMenu(menuBar_, "mnuHelp", tr("&Help")), "mnuAbout", tr("&About..."));
    connect(exitItem, &QAction::triggered, this, &QWidget::close);
    connect(copyItem, &QAction::triggered, this, &frm_Notepad::copyAll);
    connect(aboutItem, &QAction::triggered, this, &frm_Notepad::showAbout);
}

void frm_Notepad::setText(const QString& text)
{
    setEditorText(textBox_, text);
}

void frm_Notepad::colourAs(SyntaxHighlighter::Language language, Target target)
{
    colours_->setLanguage(language, target);
}

// The whole text, whatever is selected, with no message.
void frm_Notepad::copyAll()
{
    setClipboardText(editorText(textBox_));
}

void frm_Notepad::showAbout()
{
    (new frm_About(this))->exec();
}

// It opens large, most of the screen, centred over the window it is
// opened from and kept whole on the screen, title bar included.
void frm_Notepad::showEvent(QShowEvent* event)
{
    if (!placed_ && !event->spontaneous()) {
        const QSize room = clientRoomOnScreen(this, parentWidget());
        resize((room * kShareOfScreen).expandedTo(size()).boundedTo(room));
        centerOver(this, parentWidget());
        keepOnScreen(this, parentWidget());
        placed_ = true;
    }
    QDialog::showEvent(event);
}

}  // namespace tagora
