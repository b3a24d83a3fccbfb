// Tagora Converter: turns pasted HTML into a script that prints it, and a
// script back into its HTML.
//   tagora-converter [FILE]   opens FILE, an HTML page, once the window is up
//   tagora-converter --help | --version   need no display
#include "script_writer/credits.h"
#include "frm_Main.h"
#include "text_conversion.h"

#include <QApplication>
#include <QCommandLineParser>

namespace {

using tagora::runtime::fromAscii;

void describeProgram(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Turns HTML into a script that prints it (PHP, ASP, JavaScript, JSON, JSP, Perl, "
                       "Python), and a script back into its HTML."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("An HTML file to open."),
                                 QStringLiteral("[file]"));
}

void nameProgram()
{
    QCoreApplication::setApplicationName(fromAscii(tagora::credits::kProductName));
    QCoreApplication::setApplicationVersion(fromAscii(tagora::credits::kVersion));
}

// --help and --version are answered before the window system is asked
// for: over SSH or on a console there is none, and QApplication would
// abort. A plain QCoreApplication parses them as the full program does.
void answerHelpAndVersion(int argc, char* argv[])
{
    const QCoreApplication core(argc, argv);
    QCommandLineParser parser;
    describeProgram(parser);
    if (!parser.parse(QCoreApplication::arguments()))
        return;  // the full program reports the mistake
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
}

}  // namespace

int main(int argc, char* argv[])
{
    nameProgram();
    answerHelpAndVersion(argc, argv);
    QApplication app(argc, argv);
    nameProgram();
    QApplication::setDesktopFileName(fromAscii(tagora::credits::kApplicationId));

    QCommandLineParser parser;
    describeProgram(parser);
    parser.process(app);

    tagora::frm_Main mainWindow;
    mainWindow.start(parser.positionalArguments().value(0));
    return QApplication::exec();
}
