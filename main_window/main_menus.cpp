#include "main_menus.h"
#include "editor_view.h"

#include "recent_files.h"
#include "script_options_menu.h"
#include "target_texts.h"
#include "text_conversion.h"
#include "window_helpers.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace tagora {

using namespace runtime;

namespace {

std::size_t indexOf(Target target)
{
    return static_cast<std::size_t>(target);
}

}  // namespace

MainMenus::MainMenus(QMainWindow* window)
    : QObject(window), window_(window)
{
    createFileMenu();
    createEditMenu();
    createConversionMenu();
    createViewMenu();
    createHelpMenu();
}

// Exit is Ctrl+Q, the platform's Quit key: Ctrl+X cuts text in the text
// boxes, and closing at once there would lose everything typed.
void MainMenus::createFileMenu()
{
    QMenu* file = addMenu(window_->menuBar(), "mnuFile", tr("&File"));
    openItem = addMenuItem(file, "mnuOpen", tr("&Open HTML File..."), QKeySequence(tr("Ctrl+O")));
    recentFiles = new RecentFiles(file);
    saveItem = addMenuItem(file, "mnuSavePHPScript", tr("&Save PHP Script..."), QKeySequence(tr("Ctrl+S")));
    addMenuSeparator(file, "mnufilesep1");
    exitItem = addMenuItem(file, "mnuExit", tr("E&xit"), QKeySequence(tr("Ctrl+Q")));
}

// Undo Clear has no key of its own: Ctrl+Z in the input box undoes Clear
// there as it undoes typing.
void MainMenus::createEditMenu()
{
    QMenu* edit = addMenu(window_->menuBar(), "mnuEdit", tr("&Edit"));
    convertItem = addMenuItem(edit, "mnuConvert", tr("&Convert"), QKeySequence(tr("Ctrl+E")));
    addMenuSeparator(edit, "mnuEditsep1");
    clearItem = addMenuItem(edit, "mnuClear", tr("C&lear"), QKeySequence(tr("Ctrl+L")));
    undoClearItem = addMenuItem(edit, "mnuUndoClear", tr("&Undo Clear"));
    undoClearItem->setEnabled(false);
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
void MainMenus::createConversionMenu()
{
    QMenu* conversion = addMenu(window_->menuBar(), "mnuConversion", tr("Con&version"));
    auto* modes = new QActionGroup(this);
    modes->setObjectName(QStringLiteral("conversionModes"));
    for (const TargetInfo& info : targets()) {
        const TargetTexts& texts = textsOf(info.target);
        QAction* item = addMenuItem(conversion, texts.itemName, translated(texts.caption));
        item->setCheckable(true);
        modes->addAction(item);
        targetItems[indexOf(info.target)] = item;
    }
    scriptToHtmlItem = addMenuItem(conversion, "mnuToHTML", tr("Script to &HTML"));
    scriptToHtmlItem->setCheckable(true);
    scriptToHtmlItem->setStatusTip(tr("Read a script back into the HTML it prints"));
    modes->addAction(scriptToHtmlItem);
    createScriptLanguageMenu(conversion);
    addMenuSeparator(conversion, "mnuConversionsep1");
    classicEscapingItem = addMenuItem(conversion, "mnuClassicEscaping", tr("Classic Escaping (v1.0)"));
    classicEscapingItem->setCheckable(true);
    classicEscapingItem->setStatusTip(tr("Escape as version 1.0 did: PHP leaves $ as it is, ASP turns \" into '"));
    scriptOptions = new ScriptOptionsMenu(conversion, window_);
    asYouTypeItem = addMenuItem(conversion, "mnuConvertAsYouType", tr("Con&vert as You Type"));
    asYouTypeItem->setCheckable(true);
    asYouTypeItem->setStatusTip(tr("Convert after each pause in typing"));
}

// The language Script to HTML reads: recognised from the script, or named.
void MainMenus::createScriptLanguageMenu(QMenu* conversion)
{
    scriptLanguageMenu_ = conversion->addMenu(tr("Script &Language"));
    scriptLanguageMenu_->setObjectName(QStringLiteral("mnuScriptLanguage"));
    auto* group = new QActionGroup(scriptLanguageMenu_);
    automaticLanguageItem = addMenuItem(scriptLanguageMenu_, "mnuLanguageAutomatic", tr("&Automatic"));
    automaticLanguageItem->setStatusTip(tr("Tell the script's language from what it holds"));
    group->addAction(automaticLanguageItem)->setCheckable(true);
    for (const TargetInfo& info : targets()) {
        const QString name = QStringLiteral("mnuLanguage_") + fromAscii(info.name);
        QAction* item = addMenuItem(scriptLanguageMenu_, name.toLatin1().constData(), titleOf(info.target));
        group->addAction(item)->setCheckable(true);
        languageItems[indexOf(info.target)] = item;
    }
}

// The boxes one above the other, as the window has always had them, or
// side by side.
void MainMenus::createViewMenu()
{
    QMenu* view = addMenu(window_->menuBar(), "mnuView", tr("Vie&w"));
    auto* arrangements = new QActionGroup(this);
    stackedItem = addMenuItem(view, "mnuStacked", tr("&Stacked"));
    stackedItem->setStatusTip(tr("The HTML above the script"));
    sideBySideItem = addMenuItem(view, "mnuSideBySide", tr("Side &by Side"));
    sideBySideItem->setStatusTip(tr("The HTML beside the script"));
    for (QAction* item : {stackedItem, sideBySideItem})
        arrangements->addAction(item)->setCheckable(true);
    stackedItem->setChecked(true);
}

void MainMenus::createHelpMenu()
{
    QMenu* help = addMenu(window_->menuBar(), "mnuHelp", tr("&Help"));
    quickHelpItem = addMenuItem(help, "mnuQuickHelp", tr("&Quick Help"), QKeySequence(Qt::Key_F1));
    addMenuSeparator(help, "mnuHelpsep1");
    aboutItem = addMenuItem(help, "mnuAbout", tr("&About..."), QKeySequence(tr("Ctrl+B")));
}

QAction* MainMenus::modeItem(std::optional<Target> mode) const
{
    return mode ? targetItems[indexOf(*mode)] : scriptToHtmlItem;
}

QAction* MainMenus::languageItem(std::optional<Target> language) const
{
    return language ? languageItems[indexOf(*language)] : automaticLanguageItem;
}

void MainMenus::showMode(std::optional<Target> mode)
{
    modeItem(mode)->setChecked(true);
    classicEscapingItem->setEnabled(mode && targetInfo(*mode).hasClassicEscaping);
    scriptLanguageMenu_->setEnabled(!mode);
    scriptOptions->showTarget(mode);
}

void MainMenus::showNames(bool readsScript, const QString& outputTitle)
{
    openItem->setText(readsScript ? tr("&Open Script File...") : tr("&Open HTML File..."));
    saveItem->setText(tr("&Save %1...").arg(outputTitle));
}

}  // namespace tagora
