// Tagora Converter: turns pasted HTML into a script that prints it, and a
// script back into its HTML.
//   tagora-converter [FILE]   opens FILE, an HTML page, once the window is up
#include "script_writer/credits.h"
#include "frm_Main.h"
#include "text_conversion.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(tagora::runtime::fromAscii(tagora::credits::kProductName));
    QApplication::setApplicationVersion(tagora::runtime::fromAscii(tagora::credits::kVersion));
    QApplication::setDesktopFileName(tagora::runtime::fromAscii(tagora::credits::kApplicationId));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Turns HTML into a script that prints it (PHP, ASP, JavaScript, JSON, JSP, Perl, "
                       "Python), and a script back into its HTML."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("An HTML file to open."),
                                 QStringLiteral("[file]"));
    parser.process(app);

    tagora::frm_Main mainWindow;
    mainWindow.start(parser.positionalArguments().value(0));
    return QApplication::exec();
}
