// The main window: the HTML input box, the script output box, the command
// buttons and the File, Edit, Conversion and Help menus.
#pragma once

#include "link_label.h"
#include "script_writer/script_generator.h"

#include <QMainWindow>

class QAction;
class QActionGroup;
class QDragEnterEvent;
class QDropEvent;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class ScriptColours;
class ScriptOptionsMenu;

namespace tagora::runtime {
class CodeTextBox;
class SyntaxHighlighter;
}

class frm_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit frm_Main(QWidget* parent = nullptr);

    // Runs once before the window is first shown: the splash, shown
    // modally until it closes itself.
    void load();
    // The start of the program: the splash, then the window, then the file
    // named on the command line, if any.
    void start(const QString& file = QString());

    // Opening HTML and saving the script.
    void openHtmlFile();
    void openFile(const QString& path);
    void saveScript();

    // The conversion commands. The conversion mode is one target, chosen
    // in the Conversion menu and remembered between runs.
    void convert();
    void ConvertToPHP();
    void ConvertToASP();
    void selectPhpMode();
    void selectAspMode();
    void selectTarget(tagora::Target target);
    void selectHtmlMode();
    // The target chosen; none in "Script to HTML" mode.
    std::optional<tagora::Target> target() const;
    void convertToHtml();
    void clear();
    void copyScript();
    void listCharacterCodes();

    // The help, viewer and life-cycle commands.
    void enlargeOutput();
    void enlargeInput();
    void showQuickHelp();
    void showAbout();
    void exitProgram();

    // Changes the caption over the output box; the box's accessible name
    // follows it. Call nameOutputBox() after changing lblConvertto directly.
    void setOutputCaption(const QString& caption);
    void nameOutputBox();
    // A caption as a box's accessible name: "PHP Script:" -> "PHP Script".
    static QString captionName(const QString& caption);

    // The input and output texts, with CR LF between lines.
    QString inputText() const;
    QString outputText() const;

    // Controls, in the order they are stacked (later ones on top).
    QPushButton* cmdSaveScript = nullptr;
    QFrame* Picture1 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* mnuCopy = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* Command1 = nullptr;
    tagora::runtime::CodeTextBox* txtPHP = nullptr;
    tagora::runtime::CodeTextBox* txtHTML = nullptr;
    QPushButton* cmdConvert = nullptr;
    QFrame* Line1 = nullptr;
    LinkLabel* lblEnlarge1 = nullptr;
    LinkLabel* lblEnlarge = nullptr;
    LinkLabel* lblRefresh = nullptr;
    QLabel* lblConvertto = nullptr;
    QLabel* Label1 = nullptr;

    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSavePHPScript = nullptr;
    QAction* mnufilesep1 = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuConvert = nullptr;
    QAction* mnuEditsep1 = nullptr;
    QAction* mnuClear = nullptr;
    QMenu* mnuConversion = nullptr;
    QActionGroup* conversionModes = nullptr;
    QAction* mnuToPHP = nullptr;
    QAction* mnuToASP = nullptr;
    QAction* mnuToPHPNowdoc = nullptr;
    QAction* mnuToJS = nullptr;
    QAction* mnuToJSConcat = nullptr;
    QAction* mnuToJSON = nullptr;
    QAction* mnuToJSP = nullptr;
    QAction* mnuToPerl = nullptr;
    QAction* mnuToPython = nullptr;
    QAction* mnuToHTML = nullptr;
    QAction* mnuConversionsep1 = nullptr;
    QAction* mnuClassicEscaping = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuQuickHelp = nullptr;
    QAction* mnuHelpsep1 = nullptr;
    QAction* mnuAbout = nullptr;

    // The longest input the character listing takes: beyond it the listing
    // would keep the window busy for more than about a second.
    static constexpr qsizetype kLongestListedInput = 500'000;

protected:
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createControls(QWidget* client);
    void createTextBoxes(QWidget* client);
    void createLabels(QWidget* client);
    void createStatusStrip(QWidget* client);
    void createLine(QWidget* client);
    void createMenus();
    void createFileMenu();
    void createEditMenu();
    void createConversionMenu();
    void createHelpMenu();
    void setTabOrder();
    void describeControls();
    void connectCommands();
    struct OutputKind;
    OutputKind outputKind() const;
    void convertTo(tagora::Target target);
    void selectMode(QAction* item);
    void showMode(const QString& caption);
    void escapingToggled();
    void convertAgainIfInput();
    void rememberChoices() const;
    void restoreChoices();
    void updateSaveCommands();
    QString proposedScriptFile() const;
    qsizetype inputLength() const;
    void showInViewer(const QString& text, const tagora::runtime::SyntaxHighlighter* colours);

    ScriptColours* colours_ = nullptr;
    ScriptOptionsMenu* scriptOptions_ = nullptr;
    QString openedFile_;  // the file opened last, if any
    QString lastFolder_;  // the folder used last in a file dialog
};

// The Quick Help message, its lines joined with CR LF.
QString quickHelpText();
