// The main window: the HTML input box, the script output box, the command
// buttons and the File, Edit, Conversion and Help menus.
//
// Its controls are private; each keeps the object name of the window it
// descends from (txtHTML, cmdConvert, mnuToPHP...), which is what tests
// and screen-reader scripts look for.
#pragma once

#include "link_label.h"
#include "script_writer/targets.h"

#include <QMainWindow>

#include <array>
#include <optional>

class QAction;
class QActionGroup;
class QDragEnterEvent;
class QDropEvent;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;

namespace tagora {

namespace runtime {
class CodeTextBox;
class SyntaxHighlighter;
}

class ScriptColours;
class ScriptOptionsMenu;

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

    // The conversion mode: a target, or Script to HTML (no target). Chosen
    // in the Conversion menu and remembered between runs.
    std::optional<Target> target() const { return mode_; }
    void selectTarget(Target target);
    void selectScriptToHtml();

    // The conversion commands.
    void convert();
    void clear();
    void copyScript();
    void listCharacterCodes();

    // The help, viewer and life-cycle commands.
    void enlargeOutput();
    void enlargeInput();
    void showQuickHelp();
    void showAbout();
    void exitProgram();

    // The input and output texts, with CR LF between lines.
    QString inputText() const;
    QString outputText() const;

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
    QAction* modeItem() const;
    void convertToScript(Target target);
    void convertToHtml();
    void selectMode(std::optional<Target> mode);
    void showMode(const QString& caption);
    void setOutputCaption(const QString& caption);
    void escapingToggled();
    void convertAgainIfInput();
    void rememberChoices() const;
    void restoreChoices();
    void updateSaveCommands();
    QString proposedScriptFile() const;
    qsizetype inputLength() const;
    void showInViewer(const QString& text, const runtime::SyntaxHighlighter* colours);

    std::optional<Target> mode_ = Target::Php;
    ScriptColours* colours_ = nullptr;
    ScriptOptionsMenu* scriptOptions_ = nullptr;
    QString openedFile_;  // the file opened last, if any
    QString lastFolder_;  // the folder used last in a file dialog

    // Controls, in the order they are stacked (later ones on top).
    QPushButton* saveButton_ = nullptr;
    QFrame* statusStrip_ = nullptr;
    QLabel* creditLine_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QPushButton* characterCodesButton_ = nullptr;
    runtime::CodeTextBox* outputBox_ = nullptr;
    runtime::CodeTextBox* inputBox_ = nullptr;
    QPushButton* convertButton_ = nullptr;
    QFrame* whiteLine_ = nullptr;
    LinkLabel* enlargeInputLink_ = nullptr;
    LinkLabel* enlargeOutputLink_ = nullptr;
    LinkLabel* openFileLink_ = nullptr;
    QLabel* outputCaption_ = nullptr;
    QLabel* inputCaption_ = nullptr;

    // Menu items.
    QAction* openItem_ = nullptr;
    QAction* saveItem_ = nullptr;
    QAction* exitItem_ = nullptr;
    QAction* convertItem_ = nullptr;
    QAction* clearItem_ = nullptr;
    QActionGroup* modeItems_ = nullptr;
    std::array<QAction*, kTargetCount> targetItems_{};  // indexed by target
    QAction* scriptToHtmlItem_ = nullptr;
    QAction* classicEscapingItem_ = nullptr;
    QAction* quickHelpItem_ = nullptr;
    QAction* aboutItem_ = nullptr;
};

// The Quick Help message, its lines joined with CR LF.
QString quickHelpText();

}  // namespace tagora
