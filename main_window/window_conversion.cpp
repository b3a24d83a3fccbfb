#include "window_conversion.h"

#include "busy_cursor.h"
#include "code_text_box.h"
#include "main_menus.h"
#include "message_box.h"
#include "script_options_menu.h"
#include "script_output.h"
#include "script_reader/script_reader.h"
#include "script_reader/script_to_html.h"
#include "script_writer/script_generator.h"
#include "settings.h"
#include "target_texts.h"
#include "text_conversion.h"
#include "text_file.h"
#include "window_files.h"

#include <QAction>
#include <QCoreApplication>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

namespace tagora {

using namespace runtime;

namespace {

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

}  // namespace

struct WindowConversion::ClearedTexts {
    QString input;
    ScriptOutput::Saved output;
};

WindowConversion::WindowConversion(const Parts& parts, int typingPauseMs, qsizetype longestConvertedAsYouType)
    : QObject(parts.window), parts_(parts), longestConvertedAsYouType_(longestConvertedAsYouType)
{
    typingPause_ = new QTimer(this);
    typingPause_->setSingleShot(true);
    typingPause_->setInterval(typingPauseMs);
    connect(typingPause_, &QTimer::timeout, this, [this] { convert(Asked::ByTyping); });
    connect(parts_.output, &ScriptOutput::stateChanged, this, [this] {
        if (parts_.output->state() == ScriptOutput::State::Current)
            parts_.inputBox->clearErrorMark();
    });
}

void WindowConversion::setMode(std::optional<Target> mode)
{
    mode_ = mode;
    templateLanguage_.reset();
    pageLanguage_.reset();
}

// In Script to HTML mode the output is plain HTML, or a template that
// keeps code in the language it was read in (and must keep its extension
// for a server to run that code).
WindowConversion::OutputKind WindowConversion::outputKind() const
{
    if (mode_) {
        const TargetTexts& texts = textsOf(*mode_);
        return {titleOf(*mode_), fromAscii(targetInfo(*mode_).extension), translated(texts.filter),
                translated(texts.copied)};
    }
    if (templateLanguage_) {
        const QString title = templateTitle(*templateLanguage_);
        const QString extension = fromAscii(targetInfo(*templateLanguage_).extension);
        return {title, extension, tr("%1s (*%2)").arg(title, extension),
                tr("%1 has been copied to the clipboard.").arg(title)};
    }
    return {tr("HTML"), QStringLiteral(".html"), tr("HTML files (*.html *.htm)"),
            tr("HTML has been copied to the clipboard.")};
}

void WindowConversion::convert(Asked asked)
{
    typingPause_->stop();
    if (mode_)
        convertToScript(*mode_, asked);
    else
        convertToHtml(asked);
}

void WindowConversion::convertAgainIfInput()
{
    if (!parts_.inputBox->document()->isEmpty())
        convert(Asked::ByTyping);
}

void WindowConversion::finishPending()
{
    if (typingPause_->isActive())
        convert(Asked::ByTyping);
}

void WindowConversion::dropPending()
{
    typingPause_->stop();
}

// Each change of the input converts after a pause in typing, while
// conversion as one types is on and the input is not too long for it;
// otherwise the output is out of date until Convert.
void WindowConversion::inputChanged()
{
    const bool asYouType = parts_.menus->asYouTypeItem->isChecked();
    if (asYouType && inputLength() <= longestConvertedAsYouType_) {
        typingPause_->start();
        return;
    }
    typingPause_->stop();
    parts_.output->setState(ScriptOutput::State::OutOfDate,
                            asYouType ? tr("The input is too long to convert as you type: press Convert.")
                                      : tr("The input has changed since it was converted: press Convert."));
}

QString WindowConversion::inputText() const
{
    return editorText(parts_.inputBox);
}

qsizetype WindowConversion::inputLength() const
{
    return parts_.inputBox->textLength();
}

// Asked by the user, an empty input leaves the previous output as it is;
// typing, it empties the output, the script of nothing.
void WindowConversion::emptyInput(Asked asked, std::string_view message)
{
    if (asked == Asked::ByUser) {
        showMessage(parts_.window, fromAscii(message), MessageIcon::Exclamation);
        return;
    }
    parts_.output->show(QString());
    parts_.output->setState(ScriptOutput::State::Current);
}

void WindowConversion::convertToScript(Target target, Asked asked)
{
    const Escaping escaping = parts_.menus->classicEscapingItem->isChecked() ? Escaping::Classic : Escaping::Exact;
    std::optional<QString> text;
    {
        BusyCursor busy;
        text = scriptText(target, escaping, editorText(parts_.inputBox), parts_.menus->scriptOptions->options());
        if (text) {
            parts_.output->show(*text);
            parts_.output->setState(ScriptOutput::State::Current);
        }
    }
    if (!text)
        emptyInput(asked, kNoInputMessage);
}

// The script in the input box read back: what it prints, or the template
// of a PHP or ASP page. What cannot be read is said with its place.
void WindowConversion::convertToHtml(Asked asked)
{
    if (parts_.inputBox->document()->isEmpty()) {
        emptyInput(asked, kNoScriptMessage);
        return;
    }
    HtmlFromScript html;
    {
        BusyCursor busy;
        const QString script = editorText(parts_.inputBox);
        if (showFileBytesTemplate(script))
            return;
        html = htmlFromScript(toUtf8(script), scriptLanguage_);
        if (!html.html && !scriptLanguage_)
            html = htmlFromLiteral(script, html);
        if (html.html)
            showHtml(html);
    }
    if (!html.html)
        showReadError(html.error, asked);
}

// A script from a file read in a legacy encoding becomes a template from
// its bytes in that encoding where templateKeepsFileBytes says so. False
// when it does not, when the script holds characters the encoding cannot,
// or when its bytes cannot be read (the text is read then).
bool WindowConversion::showFileBytesTemplate(const QString& script)
{
    const QString encoding = parts_.files->openedEncoding();
    if (!isLegacyEncoding(encoding))
        return false;
    const std::optional<EncodedText> bytes = encodeText(script, encoding);
    if (!bytes || bytes->unencodable >= 0)
        return false;
    const HtmlFromScript html = htmlFromScript(bytes->bytes.toStdString(), scriptLanguage_);
    if (!html.html || !templateKeepsFileBytes(html, encoding.toStdString()))
        return false;
    showHtml(html, encoding);
    return true;
}

// A template with no code left is plain HTML, and is named and saved as
// HTML: its server would print it as it is. Its text is UTF-8, or in the
// legacy encoding given.
void WindowConversion::showHtml(const HtmlFromScript& html, const QString& encoding)
{
    const QString text = encoding.isEmpty() ? fromUtf8(*html.html)
                                            : decodeText(QByteArray::fromStdString(*html.html), encoding);
    pageLanguage_ = html.exact ? std::nullopt : html.target;
    templateLanguage_ = pageLanguage_ && holdsCode(text, *pageLanguage_) ? pageLanguage_ : std::nullopt;
    parts_.output->show(text);
    parts_.output->setState(ScriptOutput::State::Current);
    emit outputKindChanged();
}

// A script that cannot be read leaves no output: the previous one would
// pass for its HTML. The status strip says why in the error colour; asked
// by the user, the place is selected in the input too, while typing the
// caret stays where the user types.
void WindowConversion::showReadError(const ScriptReadError& error, Asked asked)
{
    const QString place =
        tr("Line %1, column %2: %3.").arg(error.line).arg(error.column).arg(QString::fromStdString(error.message));
    templateLanguage_.reset();
    pageLanguage_.reset();
    parts_.output->show(QString());
    parts_.output->setState(ScriptOutput::State::Failed, place);
    parts_.inputBox->markError(int(error.line), place);
    emit outputKindChanged();
    if (asked == Asked::ByTyping)
        return;
    selectInInput(error.line, error.column);
    parts_.inputBox->setFocus();
}

// Selects the character at the line and column (both from 1, the column
// in characters, a surrogate pair counting one), or the end of the line
// when the column lies past it.
void WindowConversion::selectInInput(std::size_t line, std::size_t column)
{
    CodeTextBox* box = parts_.inputBox;
    const QTextBlock block = box->document()->findBlockByNumber(int(line) - 1);
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
    box->setTextCursor(cursor);
    box->ensureCursorVisible();
}

// A bare string literal read back, when the text is no script. Its own
// line breaks (between js-concat's strings, in a template literal or a
// nowdoc) are LF, as an editor has them; the error shown is the literal's
// when the text starts as one.
HtmlFromScript WindowConversion::htmlFromLiteral(QString text, const HtmlFromScript& asScript)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ReadScript read = readLiteral(toUtf8(text));
    if (read.printed)
        return {std::move(read.printed), {}, read.target, true, {}};
    const QString start = text.trimmed();
    if (start.startsWith(u'"') || start.startsWith(u'`') || start.startsWith(QStringLiteral("<<<")))
        return {std::nullopt, read.error, read.target, false, {}};
    return asScript;
}

void WindowConversion::rememberChoices() const
{
    const MainMenus& menus = *parts_.menus;
    runtime::rememberChoices({mode_ ? fromAscii(targetInfo(*mode_).name) : QStringLiteral("html"),
                              menus.classicEscapingItem->isChecked(), menus.asYouTypeItem->isChecked(),
                              scriptLanguage_ ? fromAscii(targetInfo(*scriptLanguage_).name) : QString()});
}

void WindowConversion::restoreChoices()
{
    const RememberedChoices choices = rememberedChoices();
    parts_.menus->classicEscapingItem->setChecked(choices.classicEscaping);
    parts_.menus->asYouTypeItem->setChecked(choices.convertAsYouType);
    if (choices.target == QLatin1String("html"))
        setMode(std::nullopt);
    else
        setMode(targetNamed(choices.target.toStdString()).value_or(Target::Php));
    scriptLanguage_ = targetNamed(choices.scriptLanguage.toStdString());
    parts_.menus->languageItem(scriptLanguage_)->setChecked(true);
}

bool WindowConversion::clearBoxes()
{
    auto before = std::make_shared<ClearedTexts>(ClearedTexts{editorText(parts_.inputBox), parts_.output->saved()});
    parts_.output->empty();
    QTextCursor all(parts_.inputBox->document());
    all.select(QTextCursor::Document);
    all.removeSelectedText();
    typingPause_->stop();
    parts_.output->setState(ScriptOutput::State::Current);  // nothing, the script of nothing
    if (before->input.isEmpty() && before->output.text.isEmpty())
        return false;
    cleared_ = std::move(before);
    return true;
}

void WindowConversion::undoClear()
{
    if (!cleared_)
        return;
    const std::shared_ptr<ClearedTexts> texts = std::move(cleared_);
    parts_.output->restore(texts->output);
    QTextCursor all(parts_.inputBox->document());
    all.select(QTextCursor::Document);
    all.insertText(textForEditor(texts->input));
    typingPause_->stop();
    parts_.output->setState(texts->output.state, texts->output.reason);
}

}  // namespace tagora
