#include "frm_Main.h"

#include "artwork.h"
#include "busy_cursor.h"
#include "input_text/character_listing.h"
#include "clipboard.h"
#include "code_text_box.h"
#include "script_writer/credits.h"
#include "file_dialog.h"
#include "frm_About.h"
#include "frm_Notepad.h"
#include "frm_Splash.h"
#include "link_label.h"
#include "message_box.h"
#include "readable_colours.h"
#include "script_colours.h"
#include "script_options_menu.h"
#include "script_reader/script_to_html.h"
#include "script_writer/script_generator.h"
#include "settings.h"
#include "text_conversion.h"
#include "text_file.h"
#include "window_helpers.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QStatusTipEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStringList>
#include <QTextDocument>
#include <QTextCursor>

namespace tagora {

using namespace runtime;

namespace {

constexpr int kClientWidth = 9435;
constexpr int kClientHeight = 8415;
const QColor kScriptBlue(0, 0, 192);
const QColor kLinkBlue(0, 0, 255);

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, QRect twips)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    // A focused button also answers Enter, not only Space.
    button->setAutoDefault(true);
    return button;
}

CodeTextBox* addTextBox(QWidget* parent, const char* name, int top, const QColor& color)
{
    auto* box = new CodeTextBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(twipsRect(180, top, 9060, 3300));
    box->setFont(courierNew(9.75));
    if (color.isValid())
        setReadableColour(box, QPalette::Text, color);
    return box;
}

// What the window calls each target, beyond its title.
struct TargetTexts {
    Target target;
    const char* itemName;
    const char* caption;  // of its Conversion menu item
    const char* copied;   // the message after Copy Script
    const char* filter;   // of the save dialog
};

// PHP and ASP keep version 1.0's message, which names the PHP script in
// either mode.
constexpr TargetTexts kTargetTexts[] = {
    {Target::Php, "mnuToPHP", QT_TRANSLATE_NOOP("frm_Main", "HTML to &PHP"),
     QT_TRANSLATE_NOOP("frm_Main", "PHP script has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "PHP scripts (*.php)")},
    {Target::Asp, "mnuToASP", QT_TRANSLATE_NOOP("frm_Main", "HTML to &ASP"),
     QT_TRANSLATE_NOOP("frm_Main", "PHP script has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "ASP scripts (*.asp)")},
    {Target::PhpNowdoc, "mnuToPHPNowdoc", QT_TRANSLATE_NOOP("frm_Main", "HTML to PHP &Nowdoc"),
     QT_TRANSLATE_NOOP("frm_Main", "PHP nowdoc script has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "PHP scripts (*.php)")},
    {Target::Js, "mnuToJS", QT_TRANSLATE_NOOP("frm_Main", "HTML to &JavaScript"),
     QT_TRANSLATE_NOOP("frm_Main", "JavaScript has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "JavaScript files (*.js)")},
    {Target::JsConcat, "mnuToJSConcat", QT_TRANSLATE_NOOP("frm_Main", "HTML to JavaScript S&trings"),
     QT_TRANSLATE_NOOP("frm_Main", "JavaScript has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "JavaScript files (*.js)")},
    {Target::Json, "mnuToJSON", QT_TRANSLATE_NOOP("frm_Main", "HTML to JS&ON"),
     QT_TRANSLATE_NOOP("frm_Main", "JSON has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "JSON files (*.json)")},
    {Target::Jsp, "mnuToJSP", QT_TRANSLATE_NOOP("frm_Main", "HTML to J&SP"),
     QT_TRANSLATE_NOOP("frm_Main", "JSP script has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "JSP pages (*.jsp)")},
    {Target::Perl, "mnuToPerl", QT_TRANSLATE_NOOP("frm_Main", "HTML to P&erl"),
     QT_TRANSLATE_NOOP("frm_Main", "Perl script has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "Perl scripts (*.pl)")},
    {Target::Python, "mnuToPython", QT_TRANSLATE_NOOP("frm_Main", "HTML to P&ython"),
     QT_TRANSLATE_NOOP("frm_Main", "Python script has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "Python scripts (*.py)")},
};

static_assert(std::size(kTargetTexts) == kTargetCount, "one row per target");
static_assert([] {
    for (std::size_t i = 0; i < std::size(kTargetTexts); ++i) {
        if (static_cast<std::size_t>(kTargetTexts[i].target) != i)
            return false;
    }
    return true;
}(), "the texts are in the order of the targets");

std::size_t indexOf(Target target)
{
    return static_cast<std::size_t>(target);
}

const TargetTexts& textsOf(Target target)
{
    return kTargetTexts[indexOf(target)];
}

QString translated(const char* text)
{
    return QCoreApplication::translate("frm_Main", text);
}

QString titleOf(Target target)
{
    return fromAscii(targetInfo(target).title);
}

LinkLabel* addLink(QWidget* parent, const char* name, const QString& text, QPoint twips)
{
    auto* link = new LinkLabel(parent);
    setUpLabel(link, name, text, twips, tahoma(8.25, false, true), kLinkBlue);
    link->setCursor(artwork::linkCursor());
    return link;
}

// "PHP Script:" -> "PHP Script": a caption as a box's accessible name.
QString captionName(const QString& caption)
{
    QString name = caption.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name;
}

}  // namespace

frm_Main::frm_Main(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frm_Main"));
    setWindowTitle(fromAscii(credits::kProductTitle));
    setWindowIcon(artwork::applicationIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFont(msSansSerif(8.25));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setFixedClientSize(client, kClientWidth, kClientHeight);
    setCentralWidget(client);
    createControls(client);
    colours_ = new ScriptColours(inputBox_, outputBox_);
    createMenus();
    setTabOrder();
    describeControls();
    connectCommands();
    restoreChoices();
    updateSaveCommands();
    setAcceptDrops(true);
    // The window is as large as its menu bar and client area, no larger.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    inputBox_->setFocus();
}

// The controls are created in the window's own order, which is also their
// stacking order: the character codes button lies above the status strip,
// the line beneath everything.
void frm_Main::createControls(QWidget* client)
{
    saveButton_ = addButton(client, "cmdSaveScript", tr("&Save Script"), {7830, 7425, 1410, 420});
    createStatusStrip(client);
    copyButton_ = addButton(client, "mnuCopy", tr("&Copy Script"), {6390, 7425, 1410, 420});
    clearButton_ = addButton(client, "cmdClear", tr("C&lear"), {4950, 7425, 1410, 420});
    // Only its top-left corner lies inside the window.
    characterCodesButton_ =
        addButton(client, "Command1", QStringLiteral("Command1"), {9045, 8010, 1950, 735});
    createTextBoxes(client);
    convertButton_ = addButton(client, "cmdConvert", tr("&Convert"), {3510, 7425, 1410, 420});
    createLine(client);
    createLabels(client);
}

void frm_Main::createStatusStrip(QWidget* client)
{
    statusStrip_ = new QFrame(client);
    statusStrip_->setObjectName(QStringLiteral("Picture1"));
    statusStrip_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusStrip_->setGeometry(twipsRect(0, 8085, kClientWidth, 330));
    statusStrip_->setFocusPolicy(Qt::NoFocus);
    creditLine_ = addLabel(statusStrip_, "Label3", fromAscii(credits::creditLine()), {180, 45},
                           tahoma(8.25), kScriptBlue);
}

void frm_Main::createTextBoxes(QWidget* client)
{
    outputBox_ = addTextBox(client, "txtPHP", 4050, kScriptBlue);
    inputBox_ = addTextBox(client, "txtHTML", 405, QColor());
}

void frm_Main::createLabels(QWidget* client)
{
    enlargeInputLink_ = addLink(client, "lblEnlarge1", tr("Enlarge"), {1530, 135});
    enlargeOutputLink_ = addLink(client, "lblEnlarge", tr("Enlarge"), {1395, 3780});
    openFileLink_ = addLink(client, "lblRefresh", tr("Open HTML File"), {8100, 135});
    outputCaption_ = addLabel(client, "lblConvertto", tr("PHP Script:"), {180, 3780},
                              msSansSerif(8.25, true));
    inputCaption_ = addLabel(client, "Label1", tr("HTML Code:"), {225, 135}, msSansSerif(8.25, true));
}

// A one-pixel white line across the window, beneath every other control.
void frm_Main::createLine(QWidget* client)
{
    whiteLine_ = new QFrame(client);
    whiteLine_->setObjectName(QStringLiteral("Line1"));
    whiteLine_->setGeometry(px(-135), px(8010), px(9360) - px(-135), 1);
    whiteLine_->setAutoFillBackground(true);
    QPalette palette = whiteLine_->palette();
    palette.setColor(QPalette::Window, Qt::white);
    whiteLine_->setPalette(palette);
    whiteLine_->lower();
}

void frm_Main::createMenus()
{
    createFileMenu();
    createEditMenu();
    createConversionMenu();
    createHelpMenu();
}

// Exit is Ctrl+Q, the platform's Quit key: Ctrl+X cuts text in the text
// boxes, and closing at once there would lose everything typed.
void frm_Main::createFileMenu()
{
    QMenu* file = addMenu(menuBar(), "mnuFile", tr("&File"));
    openItem_ = addMenuItem(file, "mnuOpen", tr("&Open HTML File..."), QKeySequence(tr("Ctrl+O")));
    saveItem_ = addMenuItem(file, "mnuSavePHPScript", tr("&Save PHP Script..."),
                            QKeySequence(tr("Ctrl+S")));
    addMenuSeparator(file, "mnufilesep1");
    exitItem_ = addMenuItem(file, "mnuExit", tr("E&xit"), QKeySequence(tr("Ctrl+Q")));
}

void frm_Main::createEditMenu()
{
    QMenu* edit = addMenu(menuBar(), "mnuEdit", tr("&Edit"));
    convertItem_ = addMenuItem(edit, "mnuConvert", tr("&Convert"), QKeySequence(tr("Ctrl+E")));
    addMenuSeparator(edit, "mnuEditsep1");
    clearItem_ = addMenuItem(edit, "mnuClear", tr("C&lear"), QKeySequence(tr("Ctrl+L")));
}

// One item per target in an exclusive group, PHP first, then Script to
// HTML; Classic Escaping last, for the targets that have it.
void frm_Main::createConversionMenu()
{
    QMenu* conversion = addMenu(menuBar(), "mnuConversion", tr("&Conversion"));
    modeItems_ = new QActionGroup(this);
    modeItems_->setObjectName(QStringLiteral("conversionModes"));
    for (const TargetTexts& texts : kTargetTexts) {
        QAction* item = addMenuItem(conversion, texts.itemName, translated(texts.caption));
        item->setCheckable(true);
        modeItems_->addAction(item);
        targetItems_[indexOf(texts.target)] = item;
    }
    scriptToHtmlItem_ = addMenuItem(conversion, "mnuToHTML", tr("Script to &HTML"));
    scriptToHtmlItem_->setCheckable(true);
    scriptToHtmlItem_->setStatusTip(tr("Read a script back into the HTML it prints"));
    modeItems_->addAction(scriptToHtmlItem_);
    addMenuSeparator(conversion, "mnuConversionsep1");
    classicEscapingItem_ = addMenuItem(conversion, "mnuClassicEscaping", tr("Classic Escaping (v1.0)"));
    classicEscapingItem_->setCheckable(true);
    classicEscapingItem_->setStatusTip(
        tr("Escape as version 1.0 did: PHP leaves $ as it is, ASP turns \" into '"));
    scriptOptions_ = new ScriptOptionsMenu(conversion, this);
    connect(scriptOptions_, &ScriptOptionsMenu::changed, this, &frm_Main::convertAgainIfInput);
}

void frm_Main::createHelpMenu()
{
    QMenu* help = addMenu(menuBar(), "mnuHelp", tr("&Help"));
    quickHelpItem_ = addMenuItem(help, "mnuQuickHelp", tr("&Quick Help"));
    addMenuSeparator(help, "mnuHelpsep1");
    aboutItem_ = addMenuItem(help, "mnuAbout", tr("&About..."), QKeySequence(tr("Ctrl+B")));
}

// Reading order: the links on the caption line of a box come before the
// box, the buttons after both boxes. The input box has the focus first.
void frm_Main::setTabOrder()
{
    QWidget* const order[] = {enlargeInputLink_, openFileLink_, inputBox_,    enlargeOutputLink_,
                              outputBox_,        convertButton_, clearButton_, copyButton_,
                              saveButton_,       characterCodesButton_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// Names and descriptions for screen readers. Buttons and menu items are
// named by their captions; the boxes by the captions above them.
void frm_Main::describeControls()
{
    inputBox_->setAccessibleName(captionName(inputCaption_->text()));
    inputBox_->setAccessibleDescription(tr("The HTML to convert"));
    outputBox_->setAccessibleDescription(tr("The script made from the HTML code"));
    enlargeInputLink_->setAccessibleName(tr("Enlarge HTML Code"));
    enlargeInputLink_->setAccessibleDescription(tr("Shows the HTML code in a larger window"));
    enlargeOutputLink_->setAccessibleName(tr("Enlarge Script"));
    enlargeOutputLink_->setAccessibleDescription(tr("Shows the script in a larger window"));
    openFileLink_->setAccessibleDescription(tr("Chooses an HTML file to load into the HTML Code box"));
    characterCodesButton_->setAccessibleName(tr("List Character Codes"));
    characterCodesButton_->setAccessibleDescription(
        tr("Appends the Windows-1252 code of every character of the HTML code to the script"));
    convertButton_->setAccessibleDescription(tr("Turns the HTML code into a script"));
    copyButton_->setAccessibleDescription(tr("Copies the script to the clipboard"));
    saveButton_->setAccessibleDescription(tr("Saves the script in a file"));
}

// The caption over the output box; the box's accessible name follows it.
void frm_Main::setOutputCaption(const QString& caption)
{
    setLabelText(outputCaption_, caption);
    outputBox_->setAccessibleName(captionName(caption));
}

void frm_Main::connectCommands()
{
    connect(convertButton_, &QPushButton::clicked, this, &frm_Main::convert);
    connect(convertItem_, &QAction::triggered, convertButton_, &QPushButton::click);
    connect(clearButton_, &QPushButton::clicked, this, &frm_Main::clear);
    connect(clearItem_, &QAction::triggered, clearButton_, &QPushButton::click);
    connect(copyButton_, &QPushButton::clicked, this, &frm_Main::copyScript);
    connect(characterCodesButton_, &QPushButton::clicked, this, &frm_Main::listCharacterCodes);
    for (const TargetInfo& info : targets()) {
        connect(targetItems_[indexOf(info.target)], &QAction::triggered, this,
                [this, target = info.target] { selectTarget(target); });
    }
    connect(scriptToHtmlItem_, &QAction::triggered, this, &frm_Main::selectScriptToHtml);
    connect(classicEscapingItem_, &QAction::triggered, this, &frm_Main::escapingToggled);
    connect(openItem_, &QAction::triggered, this, &frm_Main::openHtmlFile);
    connect(openFileLink_, &LinkLabel::clicked, this, &frm_Main::openHtmlFile);
    connect(saveItem_, &QAction::triggered, this, &frm_Main::saveScript);
    connect(saveButton_, &QPushButton::clicked, this, &frm_Main::saveScript);
    connect(outputBox_, &QPlainTextEdit::textChanged, this, &frm_Main::updateSaveCommands);
    connect(inputBox_, &CodeTextBox::fileDropped, this, &frm_Main::openFile);
    connect(outputBox_, &CodeTextBox::fileDropped, this, &frm_Main::openFile);
    connect(enlargeOutputLink_, &LinkLabel::clicked, this, &frm_Main::enlargeOutput);
    connect(enlargeInputLink_, &LinkLabel::clicked, this, &frm_Main::enlargeInput);
    connect(quickHelpItem_, &QAction::triggered, this, &frm_Main::showQuickHelp);
    connect(aboutItem_, &QAction::triggered, this, &frm_Main::showAbout);
    connect(exitItem_, &QAction::triggered, this, &frm_Main::exitProgram);
}

void frm_Main::load()
{
    auto* splash = new frm_Splash;
    splash->showModally();
}

QString frm_Main::inputText() const
{
    return editorText(inputBox_);
}

QString frm_Main::outputText() const
{
    return editorText(outputBox_);
}

// What the output box holds in the current mode, as the window names it.
struct frm_Main::OutputKind {
    QString title;
    QString extension;
    QString filter;
    QString copied;
    QString settingName;
    bool hasClassicEscaping;
};

frm_Main::OutputKind frm_Main::outputKind() const
{
    if (mode_) {
        const TargetInfo& info = targetInfo(*mode_);
        const TargetTexts& texts = textsOf(*mode_);
        return {titleOf(*mode_), fromAscii(info.extension), translated(texts.filter),
                translated(texts.copied), fromAscii(info.name), info.hasClassicEscaping};
    }
    return {tr("HTML"), QStringLiteral(".html"), tr("HTML files (*.html *.htm)"),
            tr("HTML has been copied to the clipboard."), QStringLiteral("html"), false};
}

QAction* frm_Main::modeItem() const
{
    return mode_ ? targetItems_[indexOf(*mode_)] : scriptToHtmlItem_;
}

void frm_Main::convert()
{
    if (mode_)
        convertToScript(*mode_);
    else
        convertToHtml();
}

// An empty input leaves the previous output as it is.
void frm_Main::convertToScript(Target target)
{
    const Escaping escaping =
        classicEscapingItem_->isChecked() ? Escaping::Classic : Escaping::Exact;
    {
        BusyCursor busy;
        const std::optional<std::u16string> text =
            script(target, escaping, toU16(inputText()), scriptOptions_->options());
        if (text) {
            setEditorText(outputBox_, fromU16(*text));
            return;
        }
    }
    showMessage(this, fromAscii(kNoInputMessage), MessageIcon::Exclamation);
}

// The script in the input box read back: what it prints, or the template
// of a PHP or ASP page. What cannot be read is said with its place, and
// the output stays as it is.
void frm_Main::convertToHtml()
{
    if (inputBox_->document()->isEmpty()) {
        showMessage(this, fromAscii(kNoScriptMessage), MessageIcon::Exclamation);
        return;
    }
    HtmlFromScript html;
    {
        BusyCursor busy;
        html = htmlFromScript(runtime::toUtf8(inputText()));
        if (html.html) {
            setEditorText(outputBox_, runtime::fromUtf8(*html.html));
            return;
        }
    }
    showMessage(this,
                tr("The script cannot be read back into HTML.\n\nLine %1, column %2: %3.")
                    .arg(html.error.line)
                    .arg(html.error.column)
                    .arg(QString::fromStdString(html.error.message)),
                MessageIcon::Exclamation);
}

void frm_Main::selectTarget(Target target)
{
    selectMode(target);
}

void frm_Main::selectScriptToHtml()
{
    selectMode(std::nullopt);
}

// Choosing a mode with an empty input changes only the menu, the label and
// the save commands; with an input it converts again at once, also when
// the mode was already chosen.
void frm_Main::selectMode(std::optional<Target> mode)
{
    mode_ = mode;
    showMode(outputKind().title);
    rememberChoices();
    convertAgainIfInput();
}

// The menu's check mark and the output label follow the mode; the Enlarge
// link beside the label moves right when a long name would reach it.
void frm_Main::showMode(const QString& caption)
{
    modeItem()->setChecked(true);
    setOutputCaption(caption);
    const int gap = px(1395) - px(180 + 1005);
    enlargeOutputLink_->move(std::max(px(1395), outputCaption_->geometry().right() + 1 + gap),
                             enlargeOutputLink_->y());
    const OutputKind kind = outputKind();
    saveItem_->setText(tr("&Save %1...").arg(kind.title));
    classicEscapingItem_->setEnabled(kind.hasClassicEscaping);
    colours_->showMode(target());
    scriptOptions_->showTarget(target());
}

void frm_Main::escapingToggled()
{
    rememberChoices();
    convertAgainIfInput();
}

void frm_Main::convertAgainIfInput()
{
    if (!inputBox_->document()->isEmpty())
        convert();
}

void frm_Main::rememberChoices() const
{
    runtime::rememberChoices({outputKind().settingName, classicEscapingItem_->isChecked()});
}

// The first start is in PHP mode, as version 1.0 always was; the output
// label keeps its colon until a mode is chosen.
void frm_Main::restoreChoices()
{
    const RememberedChoices choices = rememberedChoices();
    classicEscapingItem_->setChecked(choices.classicEscaping);
    if (choices.target == QLatin1String("html"))
        mode_ = std::nullopt;
    else
        mode_ = targetNamed(choices.target.toStdString()).value_or(Target::Php);
    showMode(outputKind().title + QLatin1Char(':'));
}

void frm_Main::clear()
{
    setEditorText(inputBox_, QString());
    setEditorText(outputBox_, QString());
    inputBox_->setFocus();
}

// The message names the PHP script in ASP mode too.
void frm_Main::copyScript()
{
    if (outputBox_->document()->isEmpty())
        return;
    {
        BusyCursor busy;
        setClipboardText(outputText());
    }
    showMessage(this, outputKind().copied, MessageIcon::Information);
}

// Appends to whatever the output box holds; the listing has no line break,
// so it goes straight after the last character.
// Inputs beyond the limit get a warning and leave the output as it is.
void frm_Main::listCharacterCodes()
{
    const qsizetype length = inputLength();
    if (length > kLongestListedInput) {
        showMessage(this,
                    tr("The character listing takes at most %L1 characters; the input holds %L2.")
                        .arg(kLongestListedInput)
                        .arg(length),
                    MessageIcon::Exclamation);
        return;
    }
    BusyCursor busy;
    const std::u16string listing = characterCodeListing(toU16(inputText()));
    if (listing.empty())
        return;
    QTextCursor end(outputBox_->document());
    end.movePosition(QTextCursor::End);
    end.insertText(fromU16(listing));
}

// The length of inputText() without building it: every paragraph break
// between two lines is a CR LF.
qsizetype frm_Main::inputLength() const
{
    const QTextDocument* document = inputBox_->document();
    return document->characterCount() - 1 + document->blockCount() - 1;
}

void frm_Main::start(const QString& file)
{
    load();
    adjustSize();
    centerOnScreen(this);
    show();
    if (!file.isEmpty())
        openFile(file);
}

void frm_Main::openHtmlFile()
{
    QStringList filters{tr("HTML files (*.html *.htm *.xhtml *.shtml)"),
                        tr("Scripts (*.php *.asp *.js *.json *.jsp *.pl *.py)"), tr("All files (*)")};
    if (!mode_)
        filters.swapItemsAt(0, 1);  // a script is read back into HTML
    const QString path = askForFileToOpen(this, tr("Open HTML File"), lastFolder_, filters);
    if (!path.isEmpty())
        openFile(path);
}

// The file's text replaces the input, its line breaks taken as a paste
// takes them; the output stays as it is.
void frm_Main::openFile(const QString& path)
{
    ReadResult read;
    {
        BusyCursor busy;
        read = readHtmlFile(path);
        if (read.decoded)
            setEditorText(inputBox_, read.decoded->text);
    }
    const QString name = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (!read.decoded) {
        showMessage(this, tr("The file \"%1\" cannot be opened.\n\n%2").arg(name, read.error),
                    MessageIcon::Exclamation);
        return;
    }
    openedFile_ = QFileInfo(path).absoluteFilePath();
    lastFolder_ = QFileInfo(path).absolutePath();
    const QString notice = readingNotice(*read.decoded, name);
    if (!notice.isEmpty())
        showMessage(this, notice, MessageIcon::Information);
}

// The file holds the output text as it is, in UTF-8 without a byte-order
// mark, with CR LF between lines.
void frm_Main::saveScript()
{
    if (outputBox_->document()->isEmpty())
        return;
    const OutputKind kind = outputKind();
    const QString path = askForFileToSave(this, tr("Save %1").arg(kind.title), proposedScriptFile(),
                                          {kind.filter, tr("All files (*)")});
    if (path.isEmpty())
        return;
    lastFolder_ = QFileInfo(path).absolutePath();
    QString error;
    {
        BusyCursor busy;
        error = writeTextFile(path, outputText());
    }
    if (!error.isEmpty()) {
        showMessage(this,
                    tr("The script could not be saved as \"%1\".\n\n%2")
                        .arg(QDir::toNativeSeparators(path), error),
                    MessageIcon::Exclamation);
    }
}

// The opened file's name with the script's extension, in its folder.
QString frm_Main::proposedScriptFile() const
{
    const QFileInfo opened(openedFile_);
    const QString base = openedFile_.isEmpty() ? QStringLiteral("script") : opened.completeBaseName();
    const QString folder = !openedFile_.isEmpty() ? opened.absolutePath()
                           : !lastFolder_.isEmpty() ? lastFolder_
                                                    : QDir::currentPath();
    return QDir(folder).filePath(base + outputKind().extension);
}

void frm_Main::updateSaveCommands()
{
    const bool hasScript = !outputBox_->document()->isEmpty();
    saveButton_->setEnabled(hasScript);
    saveItem_->setEnabled(hasScript);
}

// A menu item's status tip shows in the status strip while it is
// highlighted; the credit line comes back afterwards.
bool frm_Main::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        setLabelText(creditLine_, tip.isEmpty() ? fromAscii(credits::creditLine()) : tip);
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

QString quickHelpText()
{
    const QStringList lines{
        QStringLiteral("Quick Help"),
        QStringLiteral("--------------"),
        QStringLiteral("This is a simple conversion program which can be used to convert plain "
                       "HTML (Hypertext Markup language) Code into PHP or ASP Script."),
        QString(),
        QStringLiteral("How to convert ???"),
        QStringLiteral("-----------------"),
        QStringLiteral("Select Conversion type whether you want to convert HTML to PHP or HTML "
                       "to ASP from 'Conversion' menu"),
        QStringLiteral("Type HTML Code into the 'HTML Code' text box or copy HTML Code from "
                       "anywhere and paste into the 'HTML Code' text box which you want to be "
                       "converted."),
        QStringLiteral("Click on 'Convert' button and the HTML Code will be converted into PHP "
                       "Script"),
        QStringLiteral("Click on 'Copy Script' button to copy PHP or ASP Script into clipboard "
                       "which you can paste into your PHP or ASP Script file."),
        QStringLiteral("Clicking on 'Clear' button will clear both HTML Code and PHP/ASP Script "
                       "text box."),
        QString(),
        QStringLiteral("If you have any problem using this program please mail me at ")
            + fromAscii(credits::kContactEmail),
    };
    return lines.join(QStringLiteral("\r\n"));
}

}  // namespace tagora
