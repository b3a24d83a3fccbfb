#include "quick_help.h"

#include "script_writer/credits.h"
#include "target_texts.h"
#include "text_conversion.h"

#include <QCoreApplication>
#include <QStringList>

namespace tagora {

using runtime::fromAscii;

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
        tr("'Character Codes' (Alt+D) appends the Windows-1252 code of every input character to "
           "the output box; Copy Script and Save Script leave them out."),
        tr("View > Side by Side puts the boxes side by side, View > Stacked one above the other; drag "
           "the bar between them to share the room. The drop-down beside the output box chooses the "
           "conversion, as the Conversion menu does."),
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
