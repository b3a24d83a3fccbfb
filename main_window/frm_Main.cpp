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
#include "mode_display.h"
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
#include "status_strip.h"
#include "text_conversion.h"
#include "window_conversion.h"
#include "window_files.h"
#include "window_helpers.h"
#include "window_placement.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusTipEvent>

namespace tagora {

using namespace runtime;

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
    // room for it (WindowPlacement::fitToScreen()).
    client->setMinimumSize(WindowPlacement::storedClientSize());
    client->resize(WindowPlacement::storedClientSize());
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
    modeDisplay_ = new ModeDisplay({conversion_, output_, menus_, controls_.get(), colours_}, this);
    connectCommands();
    connectMenus();
    conversion_->restoreChoices();
    modeDisplay_->showMode(true);
    placement_ = new WindowPlacement(this, layout_, menus_, kFramedMs);
    updateOutputCommands();
    setAcceptDrops(true);
    controls_->inputBox->setFocus();
}

frm_Main::~frm_Main() = default;

// The size, place and maximized state, and the arrangement of the boxes,
// are there again at the next start.
void frm_Main::closeEvent(QCloseEvent* event)
{
    placement_->remember();
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
    connect(output_, &ScriptOutput::usableChanged, this, &frm_Main::updateOutputCommands);
    connect(controls_->inputBox, &QPlainTextEdit::textChanged, this, &frm_Main::inputChanged);
    connect(controls_->inputBox, &CodeTextBox::textPasted, this, &frm_Main::offerScriptToHtml);
    connect(controls_->statusStrip, &StatusStrip::scriptToHtmlAsked, this, &frm_Main::selectScriptToHtml);
    for (CodeTextBox* box : {controls_->inputBox, controls_->outputBox}) {
        connect(box, &QPlainTextEdit::cursorPositionChanged, this, [this, box] { controls_->statusStrip->showCaretPlace(box); });
        connect(box, &CodeTextBox::fileDropped, this, &frm_Main::openFile);
    }
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

// The highlighter's own changes are no edits, nor are the slices of a
// large file going in.
void frm_Main::inputChanged()
{
    if (!colours_->input()->recolouring() && !controls_->inputBox->addingSlice())
        conversion_->inputChanged();
}

// The splash, then the window where it was last closed, then the file.
void frm_Main::start(const QString& file)
{
    load();
    placement_->showWindow();
    if (!file.isEmpty())
        openFile(file);
}

// Once shown, the frame's real size is known.
void frm_Main::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    placement_->fitToScreen();
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
    if (const std::optional<QString> text = files_->open(path))
        offerScriptToHtmlFor(*text);
}

void frm_Main::offerScriptToHtml()
{
    offerScriptToHtmlFor(inputText());
}

// A script opened or pasted while a target is chosen is offered to Script
// to HTML in the status strip, with nothing in the way. An opened file is
// looked at as it was read, not read back from the box.
void frm_Main::offerScriptToHtmlFor(const QString& input)
{
    controls_->statusStrip->withdrawOffer();
    if (!target())
        return;
    const std::string text = toUtf8(input);
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
    modeDisplay_->showMode();
    conversion_->rememberChoices();
    conversion_->convertAgainIfInput();
    // An old output not converted again is not output of the new mode.
    if (output_->state() != ScriptOutput::State::Current) {
        output_->show(QString());
        output_->setState(ScriptOutput::State::Current);
    }
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
