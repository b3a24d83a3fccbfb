#include "output_commands.h"

#include "busy_cursor.h"
#include "clipboard.h"
#include "code_text_box.h"
#include "input_text/character_listing.h"
#include "message_box.h"
#include "script_output.h"
#include "script_writer/string_literal.h"
#include "status_strip.h"
#include "text_conversion.h"
#include "window_conversion.h"

#include <QWidget>

namespace tagora {

using namespace runtime;

OutputCommands::OutputCommands(QWidget* window, WindowConversion* conversion, ScriptOutput* output,
                               StatusStrip* statusStrip)
    : QObject(window), window_(window), conversion_(conversion), output_(output), statusStrip_(statusStrip)
{
}

QString OutputCommands::inputText() const
{
    return conversion_->inputText();
}

// Each line break as the target's scripts print it, as the output box's
// script would print the text.
void OutputCommands::copyLiteral()
{
    const std::optional<Target> chosen = conversion_->mode();
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
        showMessage(window_, tr("Every heredoc label is closed by a line of the text."), MessageIcon::Exclamation);
        return;
    }
    statusStrip_->say(tr("The string literal has been copied to the clipboard."));
}

// Exactly the script of the input now in the box: a conversion waiting
// for a pause in typing is done first, and a character listing stays out.
// The status strip confirms it.
void OutputCommands::copyScript()
{
    conversion_->finishPending();
    if (!output_->usable())
        return;
    {
        BusyCursor busy;
        setClipboardText(output_->scriptText());
    }
    statusStrip_->say(conversion_->outputKind().copied);
}

// Appends to whatever the output box holds; the listing has no line break,
// so it goes straight after the last character. The script before it is
// still what Copy Script and Save Script hand out.
// Inputs beyond the limit get a warning and leave the output as it is.
void OutputCommands::listCharacterCodes(qsizetype longestInput)
{
    const qsizetype length = conversion_->inputLength();
    if (length > longestInput) {
        showMessage(window_,
                    tr("The character listing takes at most %L1 characters; the input holds %L2.")
                        .arg(longestInput)
                        .arg(length),
                    MessageIcon::Exclamation);
        return;
    }
    BusyCursor busy;
    const std::u16string listing = characterCodeListing(toU16(inputText()));
    if (listing.empty())
        return;
    output_->appendListing(fromU16(listing));
    statusStrip_->say(
        tr("The input's %L1 character codes follow the output; Copy Script and Save Script leave them out.")
            .arg(length));
}

}  // namespace tagora
