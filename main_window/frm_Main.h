// The main window: the HTML input box, the script output box, the command
// buttons, the menus and the status strip. It puts together the parts
// that do each job (MainMenus, MainLayout, ScriptOutput, WindowFiles,
// WindowPlacement, ModeDisplay, StatusStrip) and holds the conversion:
// the mode and what it makes of the input.
//
// Its controls are private; each keeps the object name of the window it
// descends from (txtHTML, cmdConvert, mnuToPHP...), which is what tests
// and screen-reader scripts look for.
#pragma once

#include "script_writer/targets.h"

#include <QMainWindow>

#include <memory>
#include <optional>

namespace tagora {

namespace runtime {
class CodeTextBox;
class SyntaxHighlighter;
}
class MainControls;
class MainLayout;
class MainMenus;
class ModeDisplay;
class OutputCommands;
class ScriptColours;
class ScriptOutput;
class StatusStrip;
class WindowConversion;
class WindowFiles;
class WindowPlacement;

class frm_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit frm_Main(QWidget* parent = nullptr);
    ~frm_Main() override;

    // Runs once before the window is first shown: the splash, shown
    // modally until it closes itself.
    void load();
    // The start of the program: the splash, then the window, then the file
    // named on the command line, if any.
    void start(const QString& file = QString());

    // Opening HTML and saving the script.
    void openHtmlFile();  // or a script, in Script to HTML mode
    void openFile(const QString& path);
    void saveScript();

    // The conversion mode: a target, or Script to HTML (no target). Chosen
    // in the Conversion menu or the drop-down beside the boxes, and
    // remembered between runs.
    std::optional<Target> target() const;
    void selectTarget(Target target);
    void selectScriptToHtml();
    // The language Script to HTML reads; none: recognised from the script.
    void selectScriptLanguage(std::optional<Target> language);

    // The conversion commands.
    void convert();
    void clear();
    void undoClear();
    void copyScript();
    // The input as one string literal of the chosen target, for code of
    // the user's own: what the script would print, in a string.
    void copyLiteral();
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
    // What Copy Script and Save Script hand out: the output without a
    // character listing appended to it.
    QString scriptText() const;

    // The longest input the character listing takes: beyond it the listing
    // would keep the window busy for more than about a second.
    static constexpr qsizetype kLongestListedInput = 500'000;
    // Converting as one types waits for a pause this long, and stops for
    // inputs longer than this: beyond it the output is marked out of date
    // until Convert is pressed.
    static constexpr int kTypingPauseMs = 300;
    static constexpr qsizetype kLongestInputConvertedAsYouType = 300'000;
    // How long after showing the window its frame is taken as known.
    static constexpr int kFramedMs = 250;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void connectCommands();
    void connectMenus();
    void inputChanged();
    void offerScriptToHtml();
    void offerScriptToHtmlFor(const QString& text);
    void selectMode(std::optional<Target> mode);
    void updateOutputCommands();
    void showInViewer(const QString& text, const runtime::SyntaxHighlighter* colours);

    MainMenus* menus_ = nullptr;
    MainLayout* layout_ = nullptr;
    StatusStrip* statusStrip_ = nullptr;
    ScriptColours* colours_ = nullptr;
    ScriptOutput* output_ = nullptr;
    WindowFiles* files_ = nullptr;
    WindowConversion* conversion_ = nullptr;
    OutputCommands* commands_ = nullptr;
    ModeDisplay* modeDisplay_ = nullptr;
    WindowPlacement* placement_ = nullptr;

    std::unique_ptr<MainControls> controls_;
};

}  // namespace tagora
