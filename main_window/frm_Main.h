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
#include <QTextCursor>

#include <array>
#include <optional>
#include <string_view>
#include <vector>

class QAction;
class QActionGroup;
class QDragEnterEvent;
class QCloseEvent;
class QDropEvent;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

namespace tagora {

namespace runtime {
class CodeTextBox;
class SyntaxHighlighter;
}
struct HtmlFromScript;
struct ScriptReadError;

class ScriptColours;
class RecentFiles;
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
    void openHtmlFile();  // or a script, in Script to HTML mode
    void openFile(const QString& path);
    void saveScript();

    // The conversion mode: a target, or Script to HTML (no target). Chosen
    // in the Conversion menu and remembered between runs.
    std::optional<Target> target() const { return mode_; }
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
    // How long a notice stays in the status strip.
    static constexpr int kNoticeShownMs = 8000;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
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
    void createScriptLanguageMenu(QMenu* conversion);
    void anchorControls();
    void fitToScreen();
    void placeControls();
    void setTabOrder();
    void describeControls();
    void connectCommands();
    struct OutputKind;
    OutputKind outputKind() const;
    QAction* modeItem() const;
    // Asked by the user, trouble is said in a message box; while typing,
    // or after a change of mode, only in the status strip.
    enum class Asked { ByUser, ByTyping };
    void convertFor(Asked asked);
    void convertToScript(Target target, Asked asked);
    void convertToHtml(Asked asked);
    void showHtml(const HtmlFromScript& html, const QString& encoding = QString());
    bool showLegacyTemplate(const QString& script);
    void showReadError(const ScriptReadError& error, Asked asked);
    std::optional<QByteArray> bytesToSave(const QString& text);
    QString codeBeyondAscii(const QString& text) const;
    void selectInInput(std::size_t line, std::size_t column);
    void emptyInput(Asked asked, std::string_view message);
    void inputChanged();
    void showFileInTitle();
    void offerScriptToHtml();
    void showCaretPlace(const runtime::CodeTextBox* box);
    void placeCaretPlace();
    // Whether the output is the conversion of the input now in the box.
    enum class OutputState { Current, OutOfDate, Failed };
    void setOutputState(OutputState state, const QString& reason = QString());
    void showOutput(const QString& text);
    void finishPendingConversion();
    // A passing notice in the status strip; an error stays until the next.
    enum class Tone { Plain, Error };
    void say(const QString& text, Tone tone = Tone::Plain);
    void showStatus();
    void addLiteralButton(QWidget* client);
    void selectMode(std::optional<Target> mode);
    void showMode(bool withColon = false);
    void showCaptions();
    void escapingToggled();
    void convertAgainIfInput();
    void rememberChoices() const;
    void restoreChoices();
    bool outputUsable() const;
    void updateOutputCommands();
    QString proposedScriptFile() const;
    qsizetype inputLength() const;
    void showInViewer(const QString& text, const runtime::SyntaxHighlighter* colours);
    static HtmlFromScript htmlFromLiteral(QString text, const HtmlFromScript& asScript);

    std::optional<Target> mode_ = Target::Php;
    ScriptColours* colours_ = nullptr;
    ScriptOptionsMenu* scriptOptions_ = nullptr;
    RecentFiles* recentFiles_ = nullptr;
    std::optional<Target> scriptLanguage_;  // none: recognised from the script
    std::optional<Target> templateLanguage_;  // of the HTML output, when it is a template
    std::optional<Target> pageLanguage_;      // of the page read as a template, even one with no code left
    OutputState outputState_ = OutputState::Current;
    QString outputStateReason_;
    QString notice_;  // the status strip's passing notice
    Tone noticeTone_ = Tone::Plain;
    QTimer* noticeShown_ = nullptr;
    std::optional<QTextCursor> listingStart_;  // where a character listing starts in the output
    bool outputCaptionHasColon_ = true;  // until a mode is chosen
    struct ClearedTexts {
        QString input, output;
        OutputState state;
        QString reason;
        std::optional<int> listingStart;
    };
    std::optional<ClearedTexts> cleared_;  // what Undo Clear brings back
    QTimer* typingPause_ = nullptr;
    // How each control follows the room added to the window's smallest
    // size: which share of the added width and height it moves by and
    // grows by.
    enum class Share { None, Half, OtherHalf, All };
    struct Anchor {
        QWidget* control;
        QRect smallest;  // its place at the window's smallest size
        Share left, top, width, height;
    };
    static int shareOf(int added, Share share);
    std::vector<Anchor> anchors_;
    QString openedFile_;      // the file opened last, if any
    QString openedEncoding_;  // the encoding it was read in
    QString lastFolder_;  // the folder used last in a file dialog

    // Controls, in the order they are stacked (later ones on top).
    QPushButton* saveButton_ = nullptr;
    QFrame* statusStrip_ = nullptr;
    QLabel* creditLine_ = nullptr;
    LinkLabel* scriptOfferLink_ = nullptr;  // in the status strip, while offered
    QLabel* caretPlace_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QPushButton* characterCodesButton_ = nullptr;
    runtime::CodeTextBox* outputBox_ = nullptr;
    runtime::CodeTextBox* inputBox_ = nullptr;
    QPushButton* convertButton_ = nullptr;
    QPushButton* copyLiteralButton_ = nullptr;
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
    QAction* undoClearItem_ = nullptr;
    QActionGroup* modeItems_ = nullptr;
    std::array<QAction*, kTargetCount> targetItems_{};  // indexed by target
    QAction* scriptToHtmlItem_ = nullptr;
    QAction* classicEscapingItem_ = nullptr;
    QAction* asYouTypeItem_ = nullptr;
    QMenu* scriptLanguageMenu_ = nullptr;
    QAction* automaticLanguageItem_ = nullptr;
    std::array<QAction*, kTargetCount> languageItems_{};  // indexed by target
    QAction* quickHelpItem_ = nullptr;
    QAction* aboutItem_ = nullptr;
};

// The Quick Help message, its lines joined with CR LF.
QString quickHelpText();

}  // namespace tagora
