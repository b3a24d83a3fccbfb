#include "frm_Main.h"

#include "artwork.h"
#include "code_text_box.h"
#include "frm_About.h"
#include "frm_Notepad.h"
#include "frm_Splash.h"
#include "link_label.h"
#include "main_controls.h"
#include "main_layout.h"
#include "main_menus.h"
#include "main_window_geometry.h"
#include "message_box.h"
#include "output_commands.h"
#include "quick_help.h"
#include "recent_files.h"
#include "script_colours.h"
#include "script_options_menu.h"
#include "script_output.h"
#include "script_reader/script_language.h"
#include "script_reader/script_reader.h"
#include "script_writer/credits.h"
#include "settings.h"
#include "status_strip.h"
#include "text_conversion.h"
#include "window_conversion.h"
#include "window_files.h"
#include "window_helpers.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusTipEvent>
#include <QTimer>


namespace tagora {

using namespace runtime;

namespace {

constexpr QSize kStoredClientSize(px(geometry::kClientSize.width()), px(geometry::kClientSize.height()));

}  // namespace

frm_Main::frm_Main(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frm_Main"));
    setWindowTitle(fromAscii(credits::kProductTitle));
    setWindowIcon(artwork::applicationIcon());
    setFont(msSansSerif(8.25));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    // The stored size is the first and the smallest, where the screen has
    // room for it (fitToScreen()).
    client->setMinimumSize(kStoredClientSize);
    client->resize(kStoredClientSize);
    setCentralWidget(client);
    menus_ = new MainMenus(this);
    layout_ = new MainLayout(client);
    controls_ = std::make_unique<MainControls>(client, layout_, menus_->scriptToHtmlItem->text());
    colours_ = new ScriptColours(controls_->inputBox, controls_->outputBox);
    output_ = new ScriptOutput(controls_->outputBox, colours_, controls_->statusStrip);
    files_ = new WindowFiles(this, controls_->inputBox, menus_->recentFiles);
    conversion_ = new WindowConversion({this, controls_->inputBox, output_, menus_, files_}, kTypingPauseMs,
                                       kLongestInputConvertedAsYouType);
    commands_ = new OutputCommands(this, conversion_, output_, controls_->statusStrip);
    connectCommands();
    connectMenus();
    conversion_->restoreChoices();
    showMode(true);
    restoreArrangement();
    updateOutputCommands();
    setAcceptDrops(true);
    controls_->inputBox->setFocus();
}

frm_Main::~frm_Main() = default;

// The size, place and maximized state, and the arrangement of the boxes,
// are there again at the next start.
void frm_Main::closeEvent(QCloseEvent* event)
{
    rememberWindowGeometry(saveGeometry());
    rememberArrangement();
    QMainWindow::closeEvent(event);
}

void frm_Main::connectCommands()
{
    connect(controls_->convertButton, &QPushButton::clicked, this, &frm_Main::convert);
    connect(controls_->clearButton, &QPushButton::clicked, this, &frm_Main::clear);
    connect(controls_->copyButton, &QPushButton::clicked, this, &frm_Main::copyScript);
    connect(controls_->copyLiteralButton, &QPushButton::clicked, this, &frm_Main::copyLiteral);
    connect(controls_->characterCodesButton, &QPushButton::clicked, this, &frm_Main::listCharacterCodes);
    connect(controls_->saveButton, &QPushButton::clicked, this, &frm_Main::saveScript);
    connect(controls_->openFileLink, &LinkLabel::clicked, this, &frm_Main::openHtmlFile);
    connect(controls_->enlargeOutputLink, &LinkLabel::clicked, this, &frm_Main::enlargeOutput);
    connect(controls_->enlargeInputLink, &LinkLabel::clicked, this, &frm_Main::enlargeInput);
    connect(controls_->modeList, &QComboBox::activated, this, [this](int row) {
        if (const std::optional<Target> target = MainControls::modeOfRow(row))
            selectTarget(*target);
        else
            selectScriptToHtml();
    });
    connect(output_, &ScriptOutput::stateChanged, this, &frm_Main::showCaptions);
    connect(output_, &ScriptOutput::usableChanged, this, &frm_Main::updateOutputCommands);
    connect(controls_->inputBox, &QPlainTextEdit::textChanged, this, &frm_Main::inputChanged);
    connect(conversion_, &WindowConversion::outputKindChanged, this, &frm_Main::showCaptions);
    connect(controls_->inputBox, &CodeTextBox::textPasted, this, &frm_Main::offerScriptToHtml);
    connect(controls_->statusStrip, &StatusStrip::scriptToHtmlAsked, this, &frm_Main::selectScriptToHtml);
    for (CodeTextBox* box : {controls_->inputBox, controls_->outputBox}) {
        connect(box, &QPlainTextEdit::cursorPositionChanged, this, [this, box] { controls_->statusStrip->showCaretPlace(box); });
        connect(box, &CodeTextBox::fileDropped, this, &frm_Main::openFile);
    }
    connect(layout_, &MainLayout::arranged, this, &frm_Main::rememberArrangement);
}

void frm_Main::connectMenus()
{
    const MainMenus& menus = *menus_;
    connect(menus.convertItem, &QAction::triggered, controls_->convertButton, &QPushButton::click);
    connect(menus.clearItem, &QAction::triggered, controls_->clearButton, &QPushButton::click);
    connect(menus.undoClearItem, &QAction::triggered, this, &frm_Main::undoClear);
    for (const TargetInfo& info : targets()) {
        const Target target = info.target;
        connect(menus.modeItem(target), &QAction::triggered, this, [this, target] { selectTarget(target); });
        connect(menus.languageItem(target), &QAction::triggered, this, [this, target] { selectScriptLanguage(target); });
    }
    connect(menus.automaticLanguageItem, &QAction::triggered, this, [this] { selectScriptLanguage(std::nullopt); });
    connect(menus.scriptToHtmlItem, &QAction::triggered, this, &frm_Main::selectScriptToHtml);
    connect(menus.classicEscapingItem, &QAction::triggered, this, [this] {
        conversion_->rememberChoices();
        conversion_->convertAgainIfInput();
    });
    connect(menus.scriptOptions, &ScriptOptionsMenu::changed, conversion_, &WindowConversion::convertAgainIfInput);
    connect(menus.asYouTypeItem, &QAction::triggered, this, [this] {
        conversion_->rememberChoices();
        inputChanged();
    });
    connect(menus.stackedItem, &QAction::triggered, this, [this] { layout_->arrange(MainLayout::Arrangement::Stacked); });
    connect(menus.sideBySideItem, &QAction::triggered, this,
            [this] { layout_->arrange(MainLayout::Arrangement::SideBySide); });
    connect(menus.openItem, &QAction::triggered, this, &frm_Main::openHtmlFile);
    connect(menus.recentFiles, &RecentFiles::chosen, this, &frm_Main::openFile);
    connect(menus.saveItem, &QAction::triggered, this, &frm_Main::saveScript);
    connect(menus.quickHelpItem, &QAction::triggered, this, &frm_Main::showQuickHelp);
    connect(menus.aboutItem, &QAction::triggered, this, &frm_Main::showAbout);
    connect(menus.exitItem, &QAction::triggered, this, &frm_Main::exitProgram);
}

void frm_Main::load()
{
    auto* splash = new frm_Splash;
    splash->showModally();
}

QString frm_Main::inputText() const
{
    return editorText(controls_->inputBox);
}

QString frm_Main::outputText() const
{
    return output_->text();
}

QString frm_Main::scriptText() const
{
    return output_->scriptText();
}

std::optional<Target> frm_Main::target() const
{
    return conversion_->mode();
}

void frm_Main::convert()
{
    conversion_->convert(WindowConversion::Asked::ByUser);
}

// The highlighter's own changes are no edits.
void frm_Main::inputChanged()
{
    if (!colours_->input()->recolouring())
        conversion_->inputChanged();
}

// The window comes back at the size and place it had when last closed,
// maximized if it was; the first time at its stored size, centred. Either
// way it lies whole on the screen.
void frm_Main::start(const QString& file)
{
    load();
    fitToScreen();
    if (!restoreGeometry(rememberedWindowGeometry())) {
        resize(QSize(kStoredClientSize.width(), kStoredClientSize.height() + menuBar()->sizeHint().height())
                   .expandedTo(minimumSizeHint()));
        centerOnScreen(this);
    }
    keepOnScreen(this);
    show();
    // The window manager's frame is known once it has framed the window.
    QTimer::singleShot(kFramedMs, this, [this] {
        fitToScreen();
        if (!isMaximized())
            keepOnScreen(this);
    });
    if (!file.isEmpty())
        openFile(file);
}

// The smallest size is the stored one, where the screen has room for it
// at its scaling; else the room the screen has.
void frm_Main::fitToScreen()
{
    const QSize least(px(geometry::kLeastClientSize.width()), px(geometry::kLeastClientSize.height()));
    const QSize room = clientRoomOnScreen(this) - QSize(0, menuBar()->sizeHint().height());
    centralWidget()->setMinimumSize(kStoredClientSize.boundedTo(room).expandedTo(least.boundedTo(room)));
}

// Once shown, the frame's real size is known.
void frm_Main::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    fitToScreen();
}

void frm_Main::openHtmlFile()
{
    const QString path = files_->askForFileToOpen(!target());
    if (!path.isEmpty())
        openFile(path);
}

// The file's text replaces the input; the output stays as it is.
void frm_Main::openFile(const QString& path)
{
    if (files_->open(path))
        offerScriptToHtml();
}

// A script opened or pasted while a target is chosen is offered to Script
// to HTML in the status strip, with nothing in the way.
void frm_Main::offerScriptToHtml()
{
    controls_->statusStrip->withdrawOffer();
    if (!target())
        return;
    const std::string text = toUtf8(inputText());
    const ReadScript read = readScript(text);
    const std::optional<Target> language = read.printed ? read.target : pageLanguage(text).language;
    if (language)
        controls_->statusStrip->offerScriptToHtml(tr("This looks like %1, not HTML.").arg(fromAscii(targetInfo(*language).language)));
}

void frm_Main::saveScript()
{
    conversion_->finishPending();
    if (!output_->usable())
        return;
    const WindowConversion::OutputKind kind = conversion_->outputKind();
    const std::optional<Target> templateOf = target() ? std::nullopt : conversion_->pageLanguage();
    const std::optional<QString> path =
        files_->save(output_->scriptText(), {kind.title, kind.extension, kind.filter}, templateOf);
    if (path)
        controls_->statusStrip->say(tr("Saved as \"%1\".").arg(QDir::toNativeSeparators(*path)));
}

// Copy and Save have something to do while the output holds a script
// that is up to date.
void frm_Main::updateOutputCommands()
{
    const bool usable = output_->usable();
    controls_->copyButton->setEnabled(usable);
    controls_->saveButton->setEnabled(usable);
    menus_->saveItem->setEnabled(usable);
}

// A menu item's status tip shows in the status strip while it is
// highlighted; the strip's own text comes back afterwards.
bool frm_Main::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        controls_->statusStrip->showTip(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void frm_Main::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frm_Main::dropEvent(QDropEvent* event)
{
    const QString file = droppedFile(event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    openFile(file);
}

void frm_Main::enlargeOutput()
{
    showInViewer(outputText(), colours_->output());
}

void frm_Main::enlargeInput()
{
    showInViewer(inputText(), colours_->input());
}

// The viewer works on a copy of the text, coloured as its box: nothing
// comes back.
void frm_Main::showInViewer(const QString& text, const SyntaxHighlighter* colours)
{
    auto* viewer = new frm_Notepad(this);
    viewer->setText(text);
    viewer->colourAs(colours->language(), colours->target());
    viewer->exec();
}

void frm_Main::showQuickHelp()
{
    showMessage(this, quickHelpText(), MessageIcon::Information, tr("Quick Help"));
}

void frm_Main::showAbout()
{
    (new frm_About(this))->exec();
}

void frm_Main::exitProgram()
{
    close();
}

void frm_Main::selectTarget(Target target)
{
    selectMode(target);
}

void frm_Main::selectScriptToHtml()
{
    controls_->statusStrip->withdrawOffer();
    selectMode(std::nullopt);
}

void frm_Main::selectScriptLanguage(std::optional<Target> language)
{
    conversion_->setScriptLanguage(language);
    menus_->languageItem(language)->setChecked(true);
    conversion_->rememberChoices();
    if (!target())
        conversion_->convertAgainIfInput();
}

// Choosing a mode with an empty input changes only the menu, the captions
// and the save commands (and drops an output that was out of date); with
// an input it converts again at once, also when the mode was already
// chosen.
void frm_Main::selectMode(std::optional<Target> mode)
{
    conversion_->setMode(mode);
    showMode();
    conversion_->rememberChoices();
    conversion_->convertAgainIfInput();
    // An old output not converted again is not output of the new mode.
    if (output_->state() != ScriptOutput::State::Current) {
        output_->show(QString());
        output_->setState(ScriptOutput::State::Current);
    }
}

// The menu's check marks, the drop-down, the captions and the commands
// follow the mode.
void frm_Main::showMode(bool withColon)
{
    outputCaptionHasColon_ = withColon;
    menus_->showMode(target());
    controls_->showMode(target());
    showCaptions();
}

// The output caption names what the output holds, and says when it is out
// of date.
void frm_Main::showCaptions()
{
    const WindowConversion::OutputKind kind = conversion_->outputKind();
    QString caption = kind.title;
    if (output_->state() == ScriptOutput::State::OutOfDate)
        caption = tr("%1 (out of date)").arg(caption);
    else if (output_->state() == ScriptOutput::State::Failed)
        caption = tr("%1 (none: the script cannot be read)").arg(caption);
    else if (outputCaptionHasColon_)
        caption += QLatin1Char(':');
    controls_->showCaptions(!target(), caption);
    menus_->showNames(!target(), kind.title);
    colours_->showMode(target());
}

void frm_Main::rememberArrangement() const
{
    const bool sideBySide = layout_->arrangement() == MainLayout::Arrangement::SideBySide;
    rememberBoxArrangement({sideBySide, layout_->state()});
}

// Stacked the first time, as the window has always been.
void frm_Main::restoreArrangement()
{
    const RememberedArrangement remembered = rememberedBoxArrangement();
    layout_->arrange(remembered.sideBySide ? MainLayout::Arrangement::SideBySide : MainLayout::Arrangement::Stacked);
    layout_->restoreState(remembered.splitter);
    (remembered.sideBySide ? menus_->sideBySideItem : menus_->stackedItem)->setChecked(true);
}

void frm_Main::copyScript()
{
    commands_->copyScript();
}

void frm_Main::copyLiteral()
{
    commands_->copyLiteral();
}

void frm_Main::listCharacterCodes()
{
    commands_->listCharacterCodes(kLongestListedInput);
}

void frm_Main::clear()
{
    if (conversion_->clearBoxes())
        menus_->undoClearItem->setEnabled(true);
    controls_->inputBox->setFocus();
}

void frm_Main::undoClear()
{
    conversion_->undoClear();
    menus_->undoClearItem->setEnabled(false);
    updateOutputCommands();
    controls_->inputBox->setFocus();
}

}  // namespace tagora
