#include "frm_Main.h"

#include "artwork.h"
#include "busy_cursor.h"
#include "input_text/character_listing.h"
#include "input_text/decoder_names.h"
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
#include "recent_files.h"
#include "script_colours.h"
#include "script_options_menu.h"
#include "script_reader/script_language.h"
#include "script_reader/script_reader.h"
#include "script_reader/script_to_html.h"
#include "script_writer/string_literal.h"
#include "script_writer/script_generator.h"
#include "editor_view.h"
#include "settings.h"
#include "text_conversion.h"
#include "text_file.h"
#include "window_helpers.h"

#include <QAction>
#include <QCloseEvent>
#include <QShowEvent>
#include <QTimer>
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
#include <QTextBlock>
#include <QTextCursor>

namespace tagora {

using namespace runtime;

namespace {

constexpr int kClientWidth = 9435;
constexpr int kClientHeight = 8415;
constexpr QSize kStoredClientSize(px(kClientWidth), px(kClientHeight));
// Smaller than this, the boxes would have no room: the window is no
// smaller where the screen has room for it.
constexpr QSize kLeastClientSize(px(6000), px(6000));
const QColor kScriptBlue(0, 0, 192);
const QColor kLinkBlue(0, 0, 255);
const QColor kStaleGrey(128, 128, 128);  // made as dark or light as it must be to stay readable
const QColor kErrorRed(192, 0, 0);

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
    box->setLineNumbersShown(true);
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

// PHP keeps version 1.0's message.
constexpr TargetTexts kTargetTexts[] = {
    {Target::Php, "mnuToPHP", QT_TRANSLATE_NOOP("frm_Main", "HTML to &PHP"),
     QT_TRANSLATE_NOOP("frm_Main", "PHP script has been copied to the clipboard."),
     QT_TRANSLATE_NOOP("frm_Main", "PHP scripts (*.php)")},
    {Target::Asp, "mnuToASP", QT_TRANSLATE_NOOP("frm_Main", "HTML to &ASP"),
     QT_TRANSLATE_NOOP("frm_Main", "ASP script has been copied to the clipboard."),
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

// "HTML to &PHP" -> "HTML to PHP"
QString withoutAccessKey(const char* caption)
{
    return translated(caption).remove(QLatin1Char('&'));
}

// Whether a template's server would run any of its text as code: PHP
// starts code at "<?", ASP and JSP at "<%", and JSP also evaluates "${"
// and "#{" expressions in its text.
bool holdsCode(const QString& page, Target language)
{
    if (language == Target::Php || language == Target::PhpNowdoc)
        return page.contains(QStringLiteral("<?"));
    if (language == Target::Jsp)
        return page.contains(QStringLiteral("<%")) || page.contains(QStringLiteral("${"))
               || page.contains(QStringLiteral("#{"));
    return page.contains(QStringLiteral("<%"));
}

// What a template is called, by the language it keeps its code in.
QString templateTitle(Target language)
{
    QString title = titleOf(language);
    title.replace(QStringLiteral(" Script"), QString());
    return QCoreApplication::translate("frm_Main", "%1 Template").arg(title);
}

}  // namespace

int frm_Main::shareOf(int added, Share share)
{
    switch (share) {
    case Share::None: return 0;
    case Share::Half: return added / 2;
    case Share::OtherHalf: return added - added / 2;
    case Share::All: return added;
    }
    return 0;
}

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
    client->installEventFilter(this);
    setCentralWidget(client);
    createControls(client);
    colours_ = new ScriptColours(inputBox_, outputBox_);
    createMenus();
    anchorControls();
    setTabOrder();
    describeControls();
    typingPause_ = new QTimer(this);
    typingPause_->setSingleShot(true);
    typingPause_->setInterval(kTypingPauseMs);
    noticeShown_ = new QTimer(this);
    noticeShown_->setSingleShot(true);
    noticeShown_->setInterval(kNoticeShownMs);
    connectCommands();
    restoreChoices();
    updateOutputCommands();
    setAcceptDrops(true);
    inputBox_->setFocus();
}

// The controls are created in the window's own order, which is also their
// stacking order: the character codes button lies above the status strip,
// the line beneath everything.
void frm_Main::createControls(QWidget* client)
{
    saveButton_ = addButton(client, "cmdSaveScript", tr("&Save Script"), {7830, 7425, 1410, 420});
    createStatusStrip(client);
    copyButton_ = addButton(client, "mnuCopy", tr("Co&py Script"), {6390, 7425, 1410, 420});
    clearButton_ = addButton(client, "cmdClear", tr("C&lear"), {4950, 7425, 1410, 420});
    characterCodesButton_ = addButton(client, "Command1", tr("Character Co&des"), {630, 7425, 1410, 420});
    characterCodesButton_->setToolTip(
        tr("Lists the Windows-1252 code of every character of the input after the output"));
    createTextBoxes(client);
    convertButton_ = addButton(client, "cmdConvert", tr("&Convert"), {3510, 7425, 1410, 420});
    createLine(client);
    createLabels(client);
    addLiteralButton(client);
}

// Copy as Literal, left of the other buttons; enabled while a target is
// chosen.
void frm_Main::addLiteralButton(QWidget* client)
{
    copyLiteralButton_ = addButton(client, "cmdCopyLiteral", tr("Copy &as Literal"), {2070, 7425, 1410, 420});
    copyLiteralButton_->setAccessibleDescription(
        tr("Copies the HTML code to the clipboard as one string literal of the chosen language"));
    connect(copyLiteralButton_, &QPushButton::clicked, this, &frm_Main::copyLiteral);
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
    scriptOfferLink_ = addLink(statusStrip_, "lblScriptToHtml", tr("Read it with Script to HTML"), {180, 45});
    scriptOfferLink_->setAccessibleDescription(tr("Chooses Script to HTML and reads the script into HTML"));
    scriptOfferLink_->hide();
    caretPlace_ = addLabel(statusStrip_, "lblCaretPlace", QString(), {180, 45}, tahoma(8.25));
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

// The two boxes share the added height and take all the added width; the
// output box's caption line moves down with it; the buttons, the line and
// the status strip keep their places against the bottom right corner; the
// link at the right end of the input box's caption line follows its edge.
void frm_Main::anchorControls()
{
    using enum Share;
    const auto anchor = [this](QWidget* control, Share left, Share top, Share width, Share height) {
        anchors_.push_back({control, control->geometry(), left, top, width, height});
    };
    anchor(openFileLink_, All, None, None, None);
    anchor(inputBox_, None, None, All, Half);
    anchor(outputCaption_, None, Half, None, None);
    anchor(enlargeOutputLink_, None, Half, None, None);
    anchor(outputBox_, None, Half, All, OtherHalf);
    for (QWidget* button :
         {copyLiteralButton_, convertButton_, clearButton_, copyButton_, saveButton_, characterCodesButton_})
        anchor(button, All, All, None, None);
    anchor(whiteLine_, None, All, All, None);
    anchor(statusStrip_, None, All, All, None);
}

// Labels keep the size of their text, and a label that does not move
// sideways keeps its left edge (the output caption's Enlarge link stands
// where the caption's length put it).
void frm_Main::placeControls()
{
    const QSize added = centralWidget()->size() - kStoredClientSize;
    for (const Anchor& anchor : anchors_) {
        const bool isLabel = qobject_cast<QLabel*>(anchor.control) != nullptr;
        const int left = anchor.left == Share::None && isLabel ? anchor.control->x()
                                                               : anchor.smallest.x() + shareOf(added.width(), anchor.left);
        const QPoint topLeft(left, anchor.smallest.y() + shareOf(added.height(), anchor.top));
        const QSize size = isLabel ? anchor.control->size()
                                   : anchor.smallest.size()
                                         + QSize(shareOf(added.width(), anchor.width),
                                                 shareOf(added.height(), anchor.height));
        anchor.control->setGeometry(QRect(topLeft, size));
    }
    placeCaretPlace();
}

bool frm_Main::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        placeControls();
    return QMainWindow::eventFilter(watched, event);
}

// The size, place and maximized state are there again at the next start.
void frm_Main::closeEvent(QCloseEvent* event)
{
    rememberWindowGeometry(saveGeometry());
    QMainWindow::closeEvent(event);
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
    recentFiles_ = new RecentFiles(file);
    saveItem_ = addMenuItem(file, "mnuSavePHPScript", tr("&Save PHP Script..."),
                            QKeySequence(tr("Ctrl+S")));
    addMenuSeparator(file, "mnufilesep1");
    exitItem_ = addMenuItem(file, "mnuExit", tr("E&xit"), QKeySequence(tr("Ctrl+Q")));
}

// Undo Clear has no key of its own: Ctrl+Z in the input box undoes Clear
// there as it undoes typing.
void frm_Main::createEditMenu()
{
    QMenu* edit = addMenu(menuBar(), "mnuEdit", tr("&Edit"));
    convertItem_ = addMenuItem(edit, "mnuConvert", tr("&Convert"), QKeySequence(tr("Ctrl+E")));
    addMenuSeparator(edit, "mnuEditsep1");
    clearItem_ = addMenuItem(edit, "mnuClear", tr("C&lear"), QKeySequence(tr("Ctrl+L")));
    undoClearItem_ = addMenuItem(edit, "mnuUndoClear", tr("&Undo Clear"));
    undoClearItem_->setEnabled(false);
    addMenuSeparator(edit, "mnuEditsep2");
    QAction* wordWrapItem = addMenuItem(edit, "mnuWordWrap", tr("&Word Wrap"));
    wordWrapItem->setCheckable(true);
    wordWrapItem->setChecked(EditorView::shared().wordWrap());
    connect(wordWrapItem, &QAction::toggled, &EditorView::shared(), &EditorView::setWordWrap);
    connect(&EditorView::shared(), &EditorView::wordWrapChanged, wordWrapItem, &QAction::setChecked);
}

// One item per target in an exclusive group, PHP first, then Script to
// HTML and the language it reads; Classic Escaping, for the targets that
// have it, and conversion as one types last. The menu's access key is V:
// C belongs to the Convert button.
void frm_Main::createConversionMenu()
{
    QMenu* conversion = addMenu(menuBar(), "mnuConversion", tr("Con&version"));
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
    createScriptLanguageMenu(conversion);
    addMenuSeparator(conversion, "mnuConversionsep1");
    classicEscapingItem_ = addMenuItem(conversion, "mnuClassicEscaping", tr("Classic Escaping (v1.0)"));
    classicEscapingItem_->setCheckable(true);
    classicEscapingItem_->setStatusTip(
        tr("Escape as version 1.0 did: PHP leaves $ as it is, ASP turns \" into '"));
    scriptOptions_ = new ScriptOptionsMenu(conversion, this);
    connect(scriptOptions_, &ScriptOptionsMenu::changed, this, &frm_Main::convertAgainIfInput);
    asYouTypeItem_ = addMenuItem(conversion, "mnuConvertAsYouType", tr("Con&vert as You Type"));
    asYouTypeItem_->setCheckable(true);
    asYouTypeItem_->setStatusTip(tr("Convert after each pause in typing"));
}

// The language Script to HTML reads: recognised from the script, or named.
void frm_Main::createScriptLanguageMenu(QMenu* conversion)
{
    scriptLanguageMenu_ = conversion->addMenu(tr("Script &Language"));
    scriptLanguageMenu_->setObjectName(QStringLiteral("mnuScriptLanguage"));
    auto* group = new QActionGroup(scriptLanguageMenu_);
    automaticLanguageItem_ = addMenuItem(scriptLanguageMenu_, "mnuLanguageAutomatic", tr("&Automatic"));
    automaticLanguageItem_->setStatusTip(tr("Tell the script's language from what it holds"));
    group->addAction(automaticLanguageItem_)->setCheckable(true);
    for (const TargetInfo& info : targets()) {
        const QString name = QStringLiteral("mnuLanguage_") + fromAscii(info.name);
        QAction* item = addMenuItem(scriptLanguageMenu_, name.toLatin1().constData(), titleOf(info.target));
        group->addAction(item)->setCheckable(true);
        languageItems_[indexOf(info.target)] = item;
    }
}

void frm_Main::createHelpMenu()
{
    QMenu* help = addMenu(menuBar(), "mnuHelp", tr("&Help"));
    quickHelpItem_ = addMenuItem(help, "mnuQuickHelp", tr("&Quick Help"), QKeySequence(Qt::Key_F1));
    addMenuSeparator(help, "mnuHelpsep1");
    aboutItem_ = addMenuItem(help, "mnuAbout", tr("&About..."), QKeySequence(tr("Ctrl+B")));
}

// Reading order: the links on the caption line of a box come before the
// box, the buttons after both boxes. The input box has the focus first.
void frm_Main::setTabOrder()
{
    QWidget* const order[] = {enlargeInputLink_,     openFileLink_,      inputBox_,      enlargeOutputLink_,
                              outputBox_,            characterCodesButton_, copyLiteralButton_, convertButton_,
                              clearButton_,          copyButton_,        saveButton_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// Descriptions for screen readers. Buttons and menu items are named by
// their captions; the boxes by the captions above them (showCaptions()).
void frm_Main::describeControls()
{
    inputBox_->setAccessibleDescription(tr("The HTML to convert"));
    outputBox_->setAccessibleDescription(tr("The script made from the HTML code"));
    enlargeInputLink_->setAccessibleDescription(tr("Shows the input in a larger window"));
    enlargeOutputLink_->setAccessibleName(tr("Enlarge Script"));
    enlargeOutputLink_->setAccessibleDescription(tr("Shows the output in a larger window"));
    characterCodesButton_->setAccessibleName(tr("List Character Codes"));
    characterCodesButton_->setAccessibleDescription(
        tr("Appends the Windows-1252 code of every character of the input to the output"));
    convertButton_->setAccessibleDescription(tr("Converts the input"));
    copyButton_->setAccessibleDescription(tr("Copies the output to the clipboard"));
    saveButton_->setAccessibleDescription(tr("Saves the output in a file"));
}

void frm_Main::connectCommands()
{
    connect(convertButton_, &QPushButton::clicked, this, &frm_Main::convert);
    connect(convertItem_, &QAction::triggered, convertButton_, &QPushButton::click);
    connect(clearButton_, &QPushButton::clicked, this, &frm_Main::clear);
    connect(clearItem_, &QAction::triggered, clearButton_, &QPushButton::click);
    connect(undoClearItem_, &QAction::triggered, this, &frm_Main::undoClear);
    connect(copyButton_, &QPushButton::clicked, this, &frm_Main::copyScript);
    connect(characterCodesButton_, &QPushButton::clicked, this, &frm_Main::listCharacterCodes);
    for (const TargetInfo& info : targets()) {
        const Target target = info.target;
        connect(targetItems_[indexOf(target)], &QAction::triggered, this, [this, target] { selectTarget(target); });
        connect(languageItems_[indexOf(target)], &QAction::triggered, this,
                [this, target] { selectScriptLanguage(target); });
    }
    connect(automaticLanguageItem_, &QAction::triggered, this, [this] { selectScriptLanguage(std::nullopt); });
    connect(scriptToHtmlItem_, &QAction::triggered, this, &frm_Main::selectScriptToHtml);
    connect(classicEscapingItem_, &QAction::triggered, this, &frm_Main::escapingToggled);
    connect(asYouTypeItem_, &QAction::triggered, this, [this] {
        rememberChoices();
        inputChanged();
    });
    connect(openItem_, &QAction::triggered, this, &frm_Main::openHtmlFile);
    connect(openFileLink_, &LinkLabel::clicked, this, &frm_Main::openHtmlFile);
    connect(recentFiles_, &RecentFiles::chosen, this, &frm_Main::openFile);
    connect(inputBox_->document(), &QTextDocument::modificationChanged, this, [this](bool changed) {
        if (!openedFile_.isEmpty())
            setWindowModified(changed);
    });
    connect(saveItem_, &QAction::triggered, this, &frm_Main::saveScript);
    connect(saveButton_, &QPushButton::clicked, this, &frm_Main::saveScript);
    connect(outputBox_, &QPlainTextEdit::textChanged, this, [this] {
        if (listingStart_ && outputBox_->document()->isEmpty())
            listingStart_.reset();  // emptied: a listing after it starts a new one
        updateOutputCommands();
    });
    connect(inputBox_, &QPlainTextEdit::textChanged, this, &frm_Main::inputChanged);
    connect(typingPause_, &QTimer::timeout, this, [this] { convertFor(Asked::ByTyping); });
    connect(noticeShown_, &QTimer::timeout, this, [this] {
        notice_.clear();
        scriptOfferLink_->hide();
        showStatus();
    });
    connect(inputBox_, &CodeTextBox::textPasted, this, &frm_Main::offerScriptToHtml);
    connect(scriptOfferLink_, &LinkLabel::clicked, this, &frm_Main::selectScriptToHtml);
    for (CodeTextBox* box : {inputBox_, outputBox_})
        connect(box, &QPlainTextEdit::cursorPositionChanged, this, [this, box] { showCaretPlace(box); });
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

QString frm_Main::scriptText() const
{
    return listingStart_ ? editorTextBefore(outputBox_, listingStart_->position()) : outputText();
}

// A new output replaces any listing with it.
void frm_Main::showOutput(const QString& text)
{
    listingStart_.reset();
    setEditorText(outputBox_, text);
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

// In Script to HTML mode the output is plain HTML, or a template that
// keeps code in the language it was read in (and must keep its extension
// for a server to run that code).
frm_Main::OutputKind frm_Main::outputKind() const
{
    if (mode_) {
        const TargetInfo& info = targetInfo(*mode_);
        const TargetTexts& texts = textsOf(*mode_);
        return {titleOf(*mode_), fromAscii(info.extension), translated(texts.filter),
                translated(texts.copied), fromAscii(info.name), info.hasClassicEscaping};
    }
    if (templateLanguage_) {
        const QString title = templateTitle(*templateLanguage_);
        const QString extension = fromAscii(targetInfo(*templateLanguage_).extension);
        return {title, extension, tr("%1s (*%2)").arg(title, extension),
                tr("%1 has been copied to the clipboard.").arg(title), QStringLiteral("html"), false};
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
    convertFor(Asked::ByUser);
}

// Asked by the user, an empty input or an unreadable script is said in a
// message box; while typing, the output follows without a word.
void frm_Main::convertFor(Asked asked)
{
    typingPause_->stop();
    if (mode_)
        convertToScript(*mode_, asked);
    else
        convertToHtml(asked);
}

// Asked by the user, an empty input leaves the previous output as it is;
// typing, it empties the output, the script of nothing.
void frm_Main::emptyInput(Asked asked, std::string_view message)
{
    if (asked == Asked::ByUser) {
        showMessage(this, fromAscii(message), MessageIcon::Exclamation);
        return;
    }
    showOutput(QString());
    setOutputState(OutputState::Current);
}

void frm_Main::convertToScript(Target target, Asked asked)
{
    const Escaping escaping =
        classicEscapingItem_->isChecked() ? Escaping::Classic : Escaping::Exact;
    std::optional<std::u16string> text;
    {
        BusyCursor busy;
        text = script(target, escaping, toU16(inputText()), scriptOptions_->options());
        if (text) {
            showOutput(fromU16(*text));
            setOutputState(OutputState::Current);
        }
    }
    if (!text)
        emptyInput(asked, kNoInputMessage);
}

// The script in the input box read back: what it prints, or the template
// of a PHP or ASP page. What cannot be read is said with its place, and
// the output stays, marked out of date.
void frm_Main::convertToHtml(Asked asked)
{
    if (inputBox_->document()->isEmpty()) {
        emptyInput(asked, kNoScriptMessage);
        return;
    }
    HtmlFromScript html;
    {
        BusyCursor busy;
        const QString script = inputText();
        if (showLegacyTemplate(script))
            return;
        html = htmlFromScript(runtime::toUtf8(script), scriptLanguage_);
        if (!html.html && !scriptLanguage_)
            html = htmlFromLiteral(inputText(), html);
        if (html.html)
            showHtml(html);
    }
    if (!html.html)
        showReadError(html.error, asked);
}

// PHP and ASP read bytes: a script from a file read in a legacy encoding
// becomes a template from its bytes in that encoding, so that escapes
// that make bytes ("\xe9") print what they printed. False when the script
// is not such a PHP or ASP file, or holds characters the encoding cannot.
bool frm_Main::showLegacyTemplate(const QString& script)
{
    if (!isLegacyEncoding(openedEncoding_))
        return false;
    const std::optional<EncodedText> bytes = encodeText(script, openedEncoding_);
    if (!bytes || bytes->unencodable >= 0)
        return false;
    const HtmlFromScript html = htmlFromScript(bytes->bytes.toStdString(), scriptLanguage_);
    const bool aspReadsBytes = !html::writesCharactersInAscii(openedEncoding_.toStdString());
    if (!html.html || html.exact || (html.target != Target::Php && (html.target != Target::Asp || !aspReadsBytes)))
        return false;
    showHtml(html, openedEncoding_);
    return true;
}

// A template with no code left is plain HTML, and is named and saved as
// HTML: its server would print it as it is. Its text is UTF-8, or in the
// legacy encoding given.
void frm_Main::showHtml(const HtmlFromScript& html, const QString& encoding)
{
    const QString text = encoding.isEmpty() ? runtime::fromUtf8(*html.html)
                                            : decodeText(QByteArray::fromStdString(*html.html), encoding);
    pageLanguage_ = html.exact ? std::nullopt : html.target;
    templateLanguage_ = pageLanguage_ && holdsCode(text, *pageLanguage_) ? pageLanguage_ : std::nullopt;
    showOutput(text);
    setOutputState(OutputState::Current);
    showCaptions();
}

// A script that cannot be read leaves no output: the previous one would
// pass for its HTML. The status strip says why in the error colour; asked
// by the user, the place is selected in the input too, while typing the
// caret stays where the user types.
void frm_Main::showReadError(const ScriptReadError& error, Asked asked)
{
    const QString place = tr("Line %1, column %2: %3.")
                              .arg(error.line)
                              .arg(error.column)
                              .arg(QString::fromStdString(error.message));
    templateLanguage_.reset();
    pageLanguage_.reset();
    showOutput(QString());
    setOutputState(OutputState::Failed, place);
    inputBox_->markError(int(error.line), place);
    if (asked == Asked::ByTyping)
        return;
    selectInInput(error.line, error.column);
    inputBox_->setFocus();
}

// Selects the character at the line and column (both from 1, the column
// in characters, a surrogate pair counting one), or the end of the line
// when the column lies past it.
void frm_Main::selectInInput(std::size_t line, std::size_t column)
{
    const QTextBlock block = inputBox_->document()->findBlockByNumber(int(line) - 1);
    if (!block.isValid() || column == 0)
        return;
    const QString text = block.text();
    qsizetype offset = 0;
    for (std::size_t character = 1; character < column && offset < text.size(); ++character)
        offset += text[offset].isHighSurrogate() && offset + 1 < text.size() ? 2 : 1;
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + int(offset));
    if (offset < text.size())
        cursor.setPosition(block.position() + int(offset + (text[offset].isHighSurrogate() ? 2 : 1)),
                           QTextCursor::KeepAnchor);
    inputBox_->setTextCursor(cursor);
    inputBox_->ensureCursorVisible();
}

// An out-of-date output stays for the user to read, but its caption says
// so, its text is grey and plain, and it cannot be copied or saved as if
// it were the input's; the status strip gives the reason, if any.
void frm_Main::setOutputState(OutputState state, const QString& reason)
{
    const bool changed = state != outputState_;
    if (state == OutputState::Failed)
        notice_.clear();  // the error is the news
    outputState_ = state;
    outputStateReason_ = state == OutputState::Current ? QString() : reason;
    if (state == OutputState::Current)
        inputBox_->clearErrorMark();
    showStatus();
    if (!changed)
        return;
    const bool current = state == OutputState::Current;
    setReadableColour(outputBox_, QPalette::Text, current ? kScriptBlue : kStaleGrey);
    colours_->output()->setShown(current);
    showCaptions();
    updateOutputCommands();
}

// The status strip: a passing notice, else why the output is not the
// input's, else the credit line. Errors in the error colour.
void frm_Main::showStatus()
{
    const bool error = notice_.isEmpty() ? outputState_ == OutputState::Failed : noticeTone_ == Tone::Error;
    const QString text = !notice_.isEmpty()              ? notice_
                         : !outputStateReason_.isEmpty() ? outputStateReason_
                                                         : fromAscii(credits::creditLine());
    setReadableColour(creditLine_, QPalette::WindowText, error ? kErrorRed : kScriptBlue);
    setLabelText(creditLine_, text);
    creditLine_->setAccessibleName(text);
    placeCaretPlace();
}

void frm_Main::say(const QString& text, Tone tone)
{
    notice_ = text;
    noticeTone_ = tone;
    noticeShown_->start();
    showStatus();
}

// A conversion waiting for a pause in typing is done at once.
void frm_Main::finishPendingConversion()
{
    if (typingPause_->isActive())
        convertFor(Asked::ByTyping);
}

// Each change of the input converts after a pause in typing, while
// conversion as one types is on and the input is not too long for it;
// otherwise the output is out of date until Convert.
void frm_Main::inputChanged()
{
    if (colours_->input()->recolouring())
        return;
    const bool asYouType = asYouTypeItem_->isChecked();
    if (asYouType && inputLength() <= kLongestInputConvertedAsYouType) {
        typingPause_->start();
        return;
    }
    typingPause_->stop();
    setOutputState(OutputState::OutOfDate,
                   asYouType ? tr("The input is too long to convert as you type: press Convert.")
                             : tr("The input has changed since it was converted: press Convert."));
}

// A bare string literal read back, when the text is no script. Its own
// line breaks (between js-concat's strings, in a template literal or a
// nowdoc) are LF, as an editor has them; the error shown is the literal's
// when the text starts as one.
HtmlFromScript frm_Main::htmlFromLiteral(QString text, const HtmlFromScript& asScript)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ReadScript read = readLiteral(runtime::toUtf8(text));
    if (read.printed)
        return {std::move(read.printed), {}, read.target, true, {}};
    const QString start = text.trimmed();
    if (start.startsWith(u'"') || start.startsWith(u'`') || start.startsWith(QStringLiteral("<<<")))
        return {std::nullopt, read.error, read.target, false, {}};
    return asScript;
}

void frm_Main::selectTarget(Target target)
{
    selectMode(target);
}

void frm_Main::selectScriptToHtml()
{
    scriptOfferLink_->hide();
    selectMode(std::nullopt);
}

// "Ln 12, Col 5" of the box the caret is in, at the right of the status
// strip; the column counts characters, a surrogate pair as one.
void frm_Main::showCaretPlace(const CodeTextBox* box)
{
    const QTextCursor caret = box->textCursor();
    const QString line = caret.block().text().left(caret.positionInBlock());
    const auto column = line.size() - std::count_if(line.cbegin(), line.cend(), [](QChar c) { return c.isLowSurrogate(); });
    setLabelText(caretPlace_, tr("Ln %1, Col %2").arg(caret.blockNumber() + 1).arg(column + 1));
    placeCaretPlace();
}

// The caret's place at the right end; the credit line or notice is cut
// short before it.
void frm_Main::placeCaretPlace()
{
    caretPlace_->move(statusStrip_->width() - caretPlace_->width() - px(180), caretPlace_->y());
    const int room = caretPlace_->x() - px(180) - creditLine_->x();
    creditLine_->resize(std::min(creditLine_->sizeHint().width(), std::max(room, 0)), creditLine_->height());
}

void frm_Main::selectScriptLanguage(std::optional<Target> language)
{
    scriptLanguage_ = language;
    (language ? languageItems_[indexOf(*language)] : automaticLanguageItem_)->setChecked(true);
    rememberChoices();
    if (!mode_)
        convertAgainIfInput();
}

// Choosing a mode with an empty input changes only the menu, the captions
// and the save commands (and drops an output that was out of date); with
// an input it converts again at once, also when the mode was already
// chosen.
void frm_Main::selectMode(std::optional<Target> mode)
{
    mode_ = mode;
    templateLanguage_.reset();
    pageLanguage_.reset();
    outputCaptionHasColon_ = false;
    showMode();
    rememberChoices();
    convertAgainIfInput();
    // An old output not converted again is not output of the new mode.
    if (outputState_ != OutputState::Current) {
        showOutput(QString());
        setOutputState(OutputState::Current);
    }
}

// The menu's check marks, the captions and the commands follow the mode.
void frm_Main::showMode(bool withColon)
{
    outputCaptionHasColon_ = withColon;
    modeItem()->setChecked(true);
    classicEscapingItem_->setEnabled(mode_ && targetInfo(*mode_).hasClassicEscaping);
    scriptLanguageMenu_->setEnabled(!mode_);
    copyLiteralButton_->setEnabled(mode_.has_value());
    showCaptions();
}

// In Script to HTML mode the input is a script. The output caption names
// what the output holds, and says when it is out of date; the Enlarge link
// beside it moves right when a long caption would reach it.
void frm_Main::showCaptions()
{
    const bool readsScript = !mode_;
    setLabelText(inputCaption_, readsScript ? tr("Script:") : tr("HTML Code:"));
    inputBox_->setAccessibleName(captionName(inputCaption_->text()));
    setLabelText(openFileLink_, readsScript ? tr("Open Script File") : tr("Open HTML File"));
    openFileLink_->setAccessibleDescription(readsScript ? tr("Chooses a script file to load into the Script box")
                                                        : tr("Chooses an HTML file to load into the HTML Code box"));
    openItem_->setText(readsScript ? tr("&Open Script File...") : tr("&Open HTML File..."));
    enlargeInputLink_->setAccessibleName(tr("Enlarge %1").arg(captionName(inputCaption_->text())));
    const OutputKind kind = outputKind();
    QString caption = kind.title;
    if (outputState_ == OutputState::OutOfDate)
        caption = tr("%1 (out of date)").arg(caption);
    else if (outputState_ == OutputState::Failed)
        caption = tr("%1 (none: the script cannot be read)").arg(caption);
    else if (outputCaptionHasColon_)
        caption += QLatin1Char(':');
    setLabelText(outputCaption_, caption);
    outputBox_->setAccessibleName(captionName(caption));
    const int gap = px(1395) - px(180 + 1005);
    enlargeOutputLink_->move(std::max(px(1395), outputCaption_->geometry().right() + 1 + gap),
                             enlargeOutputLink_->y());
    saveItem_->setText(tr("&Save %1...").arg(kind.title));
    colours_->showMode(target());
    scriptOptions_->showTarget(target());
}

void frm_Main::escapingToggled()
{
    rememberChoices();
    convertAgainIfInput();
}

// Quietly: a script that cannot be read is said in the status strip.
void frm_Main::convertAgainIfInput()
{
    if (!inputBox_->document()->isEmpty())
        convertFor(Asked::ByTyping);
}

void frm_Main::rememberChoices() const
{
    runtime::rememberChoices({mode_ ? fromAscii(targetInfo(*mode_).name) : QStringLiteral("html"),
                              classicEscapingItem_->isChecked(), asYouTypeItem_->isChecked(),
                              scriptLanguage_ ? fromAscii(targetInfo(*scriptLanguage_).name) : QString()});
}

// The first start is in PHP mode, as version 1.0 always was, converting
// as one types; the output caption keeps its colon until a mode is chosen.
void frm_Main::restoreChoices()
{
    const RememberedChoices choices = rememberedChoices();
    classicEscapingItem_->setChecked(choices.classicEscaping);
    asYouTypeItem_->setChecked(choices.convertAsYouType);
    if (choices.target == QLatin1String("html"))
        mode_ = std::nullopt;
    else
        mode_ = targetNamed(choices.target.toStdString()).value_or(Target::Php);
    scriptLanguage_ = targetNamed(choices.scriptLanguage.toStdString());
    (scriptLanguage_ ? languageItems_[indexOf(*scriptLanguage_)] : automaticLanguageItem_)->setChecked(true);
    showMode(true);
}

// Both boxes are emptied by edits that the boxes' own undo takes back
// (Ctrl+Z), and Edit > Undo Clear brings both back at once.
void frm_Main::clear()
{
    ClearedTexts before{inputText(), outputText(), outputState_, outputStateReason_,
                        listingStart_ ? std::optional(listingStart_->position()) : std::nullopt};
    for (CodeTextBox* box : {outputBox_, inputBox_}) {
        QTextCursor all(box->document());
        all.select(QTextCursor::Document);
        all.removeSelectedText();
    }
    listingStart_.reset();
    typingPause_->stop();
    setOutputState(OutputState::Current);  // nothing, the script of nothing
    if (!before.input.isEmpty() || !before.output.isEmpty()) {
        cleared_ = std::move(before);
        undoClearItem_->setEnabled(true);
    }
    inputBox_->setFocus();
}

void frm_Main::undoClear()
{
    if (!cleared_)
        return;
    const ClearedTexts texts = *std::exchange(cleared_, std::nullopt);
    undoClearItem_->setEnabled(false);
    for (const auto& [box, text] : {std::pair{outputBox_, texts.output}, std::pair{inputBox_, texts.input}}) {
        QTextCursor all(box->document());
        all.select(QTextCursor::Document);
        all.insertText(textForEditor(text));
    }
    // The output came back with its input, as up to date as it was.
    typingPause_->stop();
    if (texts.listingStart) {
        listingStart_ = QTextCursor(outputBox_->document());
        listingStart_->setPosition(*texts.listingStart);
    }
    setOutputState(texts.state, texts.reason);
    updateOutputCommands();
    inputBox_->setFocus();
}

// Each line break as the target's scripts print it, as the output box's
// script would print the text.
void frm_Main::copyLiteral()
{
    const std::optional<Target> chosen = target();
    if (!chosen)
        return;
    QString text = inputText();
    text.replace(QStringLiteral("\r\n"), fromAscii(targetInfo(*chosen).printedLineBreak));
    std::optional<std::u16string> literal;
    {
        BusyCursor busy;
        literal = stringLiteral(*chosen, toU16(text));
        if (literal)
            setClipboardText(QString::fromStdU16String(*literal));
    }
    if (!literal) {
        showMessage(this, tr("Every heredoc label is closed by a line of the text."), MessageIcon::Exclamation);
        return;
    }
    say(tr("The string literal has been copied to the clipboard."));
}

// Exactly the script of the input now in the box: a conversion waiting
// for a pause in typing is done first, and a character listing stays out.
// The status strip confirms it.
void frm_Main::copyScript()
{
    finishPendingConversion();
    if (!outputUsable())
        return;
    {
        BusyCursor busy;
        setClipboardText(scriptText());
    }
    say(outputKind().copied);
}

// Appends to whatever the output box holds; the listing has no line break,
// so it goes straight after the last character. The script before it is
// still what Copy Script and Save Script hand out.
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
    const int start = end.position();
    end.insertText(fromU16(listing));
    if (!listingStart_) {
        listingStart_ = QTextCursor(outputBox_->document());
        listingStart_->setPosition(start);
    }
    updateOutputCommands();
    // Selected, so that it is seen, and Ctrl+C copies it.
    end.setPosition(start, QTextCursor::KeepAnchor);
    outputBox_->setTextCursor(end);
    outputBox_->ensureCursorVisible();
    say(tr("The input's %L1 character codes follow the output; Copy Script and Save Script leave them out.")
            .arg(length));
}

// The length of inputText() without building it: every paragraph break
// between two lines is a CR LF.
qsizetype frm_Main::inputLength() const
{
    const QTextDocument* document = inputBox_->document();
    return document->characterCount() - 1 + document->blockCount() - 1;
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
    const QSize room = clientRoomOnScreen(this) - QSize(0, menuBar()->sizeHint().height());
    const QSize smallest = kStoredClientSize.boundedTo(room).expandedTo(kLeastClientSize.boundedTo(room));
    centralWidget()->setMinimumSize(smallest);
}

// Once shown, the frame's real size is known.
void frm_Main::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    fitToScreen();
}

void frm_Main::openHtmlFile()
{
    QStringList filters{tr("HTML files (*.html *.htm *.xhtml *.shtml)"),
                        tr("Scripts (*.php *.asp *.js *.json *.jsp *.pl *.py)"), tr("All files (*)")};
    if (!mode_)
        filters.swapItemsAt(0, 1);  // a script is read back into HTML
    const QString title = mode_ ? tr("Open HTML File") : tr("Open Script File");
    const QString path = askForFileToOpen(this, title, lastFolder_, filters);
    if (!path.isEmpty())
        openFile(path);
}

// The file's text replaces the input, its line breaks taken as a paste
// takes them; the output stays as it is. The title names the file, and
// File > Open Recent offers it again.
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
        if (!QFileInfo::exists(path))
            recentFiles_->remove(path);
        showMessage(this, tr("The file \"%1\" cannot be opened.\n\n%2").arg(name, read.error),
                    MessageIcon::Exclamation);
        return;
    }
    openedFile_ = QFileInfo(path).absoluteFilePath();
    openedEncoding_ = read.decoded->encoding;
    lastFolder_ = QFileInfo(path).absolutePath();
    inputBox_->document()->setModified(false);
    showFileInTitle();
    recentFiles_->add(path);
    const QString notice = readingNotice(*read.decoded, name);
    if (!notice.isEmpty())
        showMessage(this, notice, MessageIcon::Information);
    offerScriptToHtml();
}

// "page.html* - Tagora Converter v1.0.0" while the page has changed since
// it was opened.
void frm_Main::showFileInTitle()
{
    const QString product = fromAscii(credits::kProductTitle);
    if (openedFile_.isEmpty()) {
        setWindowTitle(product);
        return;
    }
    QString file = QFileInfo(openedFile_).fileName();
    file.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));  // shown as it is
    setWindowTitle(tr("%1[*] - %2").arg(file, product));
    setWindowModified(inputBox_->document()->isModified());
}

// A script opened or pasted while a target is chosen is offered to Script
// to HTML in the status strip, with nothing in the way.
void frm_Main::offerScriptToHtml()
{
    scriptOfferLink_->hide();
    if (!mode_)
        return;
    const std::string text = runtime::toUtf8(inputText());
    const ReadScript read = readScript(text);
    const std::optional<Target> language = read.printed ? read.target : pageLanguage(text).language;
    if (!language)
        return;
    say(tr("This looks like %1, not HTML.").arg(fromAscii(targetInfo(*language).language)));
    scriptOfferLink_->move(creditLine_->geometry().right() + px(180), creditLine_->y());
    scriptOfferLink_->show();
}

// The file holds the output text as it is, in UTF-8 without a byte-order
// mark, with CR LF between lines; a PHP or ASP template made from a file
// read in a legacy encoding is saved in that encoding (see bytesToSave).
void frm_Main::saveScript()
{
    finishPendingConversion();
    if (!outputUsable())
        return;
    const QString text = scriptText();
    const std::optional<QByteArray> bytes = bytesToSave(text);
    if (!bytes)
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
        error = writeBytesFile(path, *bytes);
    }
    if (!error.isEmpty()) {
        showMessage(this,
                    tr("The script could not be saved as \"%1\".\n\n%2")
                        .arg(QDir::toNativeSeparators(path), error),
                    MessageIcon::Exclamation);
        return;
    }
    say(tr("Saved as \"%1\".").arg(QDir::toNativeSeparators(path)));
}

namespace {

// The line and column (from 1, in characters) of text[index], lines
// ending at CR LF as the window's texts do.
std::pair<qsizetype, qsizetype> placeOf(const QString& text, qsizetype index)
{
    const qsizetype lineStart = index == 0 ? 0 : text.lastIndexOf(QLatin1Char('\n'), index - 1) + 1;
    qsizetype column = 1;
    for (qsizetype i = lineStart; i < index; ++i)
        column += text[i].isLowSurrogate() ? 0 : 1;
    return {text.left(lineStart).count(QLatin1Char('\n')) + 1, column};
}

}  // namespace

// A template keeps code in the language of its file, whose string
// literals mean what the file's encoding makes of their bytes: it is
// saved in that encoding, as its text is when no code is left. Where a
// character cannot be, the user is asked whether to save in UTF-8
// instead, told where code may change meaning; std::nullopt when not.
std::optional<QByteArray> frm_Main::bytesToSave(const QString& text)
{
    const bool keepsEncoding = !mode_ && (pageLanguage_ == Target::Php || pageLanguage_ == Target::Asp)
                               && isLegacyEncoding(openedEncoding_);
    if (!keepsEncoding)
        return QByteArray::fromStdString(toUtf8(text));
    const std::optional<EncodedText> encoded = encodeText(text, openedEncoding_);
    if (encoded && encoded->unencodable < 0)
        return encoded->bytes;
    QString why = tr("This program cannot write %1.").arg(openedEncoding_);
    if (encoded) {
        const auto [line, column] = placeOf(text, encoded->unencodable);
        const qsizetype length = text[encoded->unencodable].isHighSurrogate() ? 2 : 1;
        why = tr("The character \"%1\" at line %2, column %3 cannot be written in %4.")
                  .arg(text.mid(encoded->unencodable, length))
                  .arg(line)
                  .arg(column)
                  .arg(openedEncoding_);
    }
    const QString question = tr("The template was read from a file in %1, and is saved in it so that its code "
                                "keeps its meaning. %2%3\n\nSave the template in UTF-8 instead?")
                                 .arg(openedEncoding_, why, codeBeyondAscii(text));
    if (!askYesNo(this, question, MessageIcon::Exclamation))
        return std::nullopt;
    return QByteArray::fromStdString(toUtf8(text));
}

// Where the template's code holds characters beyond ASCII, which in UTF-8
// may not mean what they meant in the file's encoding: a paragraph of a
// message, or nothing.
QString frm_Main::codeBeyondAscii(const QString& text) const
{
    constexpr std::size_t kMostPlaces = 10;
    const std::vector<ScriptReadError> places = templateCodeBeyondAscii(toUtf8(text), *pageLanguage_, kMostPlaces);
    if (places.empty())
        return QString();
    QString paragraph = tr("\n\nIn UTF-8, code may not mean what it meant in %1:").arg(openedEncoding_);
    for (const ScriptReadError& place : places)
        paragraph += tr("\nLine %1, column %2: %3.").arg(place.line).arg(place.column).arg(QString::fromStdString(place.message));
    if (places.size() == kMostPlaces)
        paragraph += tr("\n(and perhaps more)");
    return paragraph;
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

// Copy and Save have something to do while the output holds a script
// that is up to date.
bool frm_Main::outputUsable() const
{
    const bool empty = listingStart_ ? listingStart_->position() == 0 : outputBox_->document()->isEmpty();
    return !empty && outputState_ == OutputState::Current;
}

void frm_Main::updateOutputCommands()
{
    const bool usable = outputUsable();
    copyButton_->setEnabled(usable);
    saveButton_->setEnabled(usable);
    saveItem_->setEnabled(usable);
}

// A menu item's status tip shows in the status strip while it is
// highlighted; the credit line comes back afterwards.
bool frm_Main::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (tip.isEmpty()) {
            showStatus();
        } else {
            setLabelText(creditLine_, tip);
            placeCaretPlace();
        }
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

// The menu captions of every target, as the help names them.
QString targetCaptions()
{
    QStringList captions;
    for (const TargetTexts& texts : kTargetTexts)
        captions << QStringLiteral("'") + withoutAccessKey(texts.caption) + QStringLiteral("'");
    return captions.join(QStringLiteral(", "));
}

QString quickHelpText()
{
    const auto tr = [](const char* text) { return QCoreApplication::translate("frm_Main", text); };
    const QStringList lines{
        tr("Quick Help"),
        QStringLiteral("--------------"),
        tr("Tagora Converter turns HTML into a script that prints it exactly, and a script back "
           "into the HTML it prints."),
        QString(),
        tr("HTML to a script"),
        QStringLiteral("----------------"),
        tr("1. Choose the script's language in the Conversion menu (Alt+V): %1.").arg(targetCaptions()),
        tr("2. Type or paste HTML into the 'HTML Code' box, or open a file: File > Open HTML File "
           "(Ctrl+O), the 'Open HTML File' link, or drop the file on the window."),
        tr("3. The script follows as you type while Conversion > Convert as You Type is on; "
           "otherwise press 'Convert' (Alt+C or Ctrl+E). Very long inputs wait for 'Convert'; "
           "the output's caption says \"out of date\" meanwhile."),
        tr("4. 'Copy Script' (Alt+P) copies the script to the clipboard; 'Save Script' (Alt+S or "
           "Ctrl+S) saves it in a file."),
        tr("Classic Escaping (v1.0) writes PHP and ASP scripts as version 1.0 did."),
        tr("Header Comment starts each script with the comment lines naming this program; "
           "JavaScript Name... names the constant that holds the text in JavaScript (html by default)."),
        QString(),
        tr("A script back to HTML"),
        QStringLiteral("---------------------"),
        tr("Choose Conversion > Script to HTML, then type, paste or open the script into the "
           "'Script' box. A script this program wrote gives the HTML it prints; any other PHP or "
           "ASP page becomes a template that prints the same, saved with the page's own extension. "
           "Conversion > Script Language tells which language the script is in, when automatic "
           "recognition is not what you want. A script that cannot be read is marked with its "
           "line and column, and the output is out of date until the next good conversion."),
        QString(),
        tr("More"),
        QStringLiteral("----"),
        tr("'Enlarge' shows a box's text in a large, read-only window."),
        tr("The small button at the bottom right corner appends the Windows-1252 code of every "
           "input character to the output box."),
        tr("'Clear' (Alt+L or Ctrl+L) empties both boxes; Edit > Undo Clear, or Ctrl+Z in the "
           "input box, brings them back."),
        tr("Keys: Tab and Shift+Tab move between the controls; Ctrl+Tab types a TAB in a box; F1 "
           "shows this help; Ctrl+B shows About; Ctrl+Q exits."),
        QString(),
        tr("If you have any problem using this program please mail me at ")
            + fromAscii(credits::kContactEmail),
    };
    return lines.join(QStringLiteral("\r\n"));
}

}  // namespace tagora
