// The window's conversion: the mode (a target, or Script to HTML), what
// it makes of the input box's text, and when: at once when asked, after a
// pause in typing while Convert as You Type is on, else the output is
// marked out of date until Convert.
#pragma once

#include "script_writer/targets.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <string_view>

class QTimer;
class QWidget;

namespace tagora {

namespace runtime {
class CodeTextBox;
}
struct HtmlFromScript;
struct ScriptReadError;
class MainMenus;
class ScriptOutput;
class WindowFiles;

class WindowConversion : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QWidget* window;
        runtime::CodeTextBox* inputBox;
        ScriptOutput* output;
        MainMenus* menus;
        const WindowFiles* files;
    };
    // How long the pause in typing is, and the longest input converted as
    // one types.
    WindowConversion(const Parts& parts, int typingPauseMs, qsizetype longestConvertedAsYouType);

    std::optional<Target> mode() const { return mode_; }
    // A new mode: the output is no template any more.
    void setMode(std::optional<Target> mode);
    std::optional<Target> scriptLanguage() const { return scriptLanguage_; }
    void setScriptLanguage(std::optional<Target> language) { scriptLanguage_ = language; }
    // The language of the page read as a template (even one with no code
    // left), and of the output when it is a template.
    std::optional<Target> pageLanguage() const { return pageLanguage_; }
    std::optional<Target> templateLanguage() const { return templateLanguage_; }

    // What the output box holds in the current mode, as the window names it.
    struct OutputKind {
        QString title;
        QString extension;
        QString filter;
        QString copied;
    };
    OutputKind outputKind() const;

    // Asked by the user, trouble is said in a message box; while typing,
    // or after a change of mode, only in the status strip.
    enum class Asked { ByUser, ByTyping };
    void convert(Asked asked);
    // Quietly, when the input box holds anything.
    void convertAgainIfInput();
    // A conversion waiting for a pause in typing is done at once.
    void finishPending();
    void dropPending();
    void inputChanged();
    // The input box's text, with CR LF between lines, and its length.
    QString inputText() const;
    qsizetype inputLength() const;

    // The mode, the escaping, conversion as one types and the language
    // Script to HTML reads, between runs. The first start is in PHP mode,
    // as version 1.0 always was, converting as one types.
    void rememberChoices() const;
    void restoreChoices();

    // Both boxes are emptied by edits that the boxes' own undo takes back
    // (Ctrl+Z); undoClear() brings both back at once, the output as up to
    // date as it was. False when both were empty: nothing to undo.
    bool clearBoxes();
    void undoClear();

signals:
    // The output became a template of a language, or stopped being one.
    void outputKindChanged();

private:
    void convertToScript(Target target, Asked asked);
    void convertToHtml(Asked asked);
    bool showFileBytesTemplate(const QString& script);
    void showHtml(const HtmlFromScript& html, const QString& encoding = QString());
    void showReadError(const ScriptReadError& error, Asked asked);
    void selectInInput(std::size_t line, std::size_t column);
    void emptyInput(Asked asked, std::string_view message);
    static HtmlFromScript htmlFromLiteral(QString text, const HtmlFromScript& asScript);

    Parts parts_;
    qsizetype longestConvertedAsYouType_;
    QTimer* typingPause_;
    std::optional<Target> mode_ = Target::Php;
    std::optional<Target> scriptLanguage_;  // none: recognised from the script
    std::optional<Target> templateLanguage_;
    std::optional<Target> pageLanguage_;
    struct ClearedTexts;
    std::shared_ptr<ClearedTexts> cleared_;  // what Undo Clear brings back
};

}  // namespace tagora
