// Tagora Converter: turns pasted HTML into a script that prints it, and a
// script back into its HTML.
//   tagora-converter [FILE]   opens FILE, an HTML page, once the window is up
//   tagora-converter --help | --version   need no display, nor does a wrong option
#include "script_writer/credits.h"
#include "frm_Main.h"
#include "text_conversion.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

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

// Options that QGuiApplication and QApplication take for themselves.
bool isQtOption(const QString& name)
{
    static const QStringList qtOptions{
        QStringLiteral("platform"),        QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
        QStringLiteral("plugin"),          QStringLiteral("qwindowgeometry"),    QStringLiteral("qwindowicon"),
        QStringLiteral("qwindowtitle"),    QStringLiteral("reverse"),            QStringLiteral("session"),
        QStringLiteral("display"),         QStringLiteral("name"),               QStringLiteral("geometry"),
        QStringLiteral("style"),           QStringLiteral("stylesheet"),         QStringLiteral("widgetcount")};
    return qtOptions.contains(name);
}

// --help, --version and a wrong option are answered before the window
// system is asked for: over SSH or on a console there is none, and
// QApplication would abort. A plain QCoreApplication parses them as the
// full program does; Qt's own options are left to QApplication.
void answerWithoutDisplay(int argc, char* argv[])
{
    const QCoreApplication core(argc, argv);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    describeProgram(parser);
    if (!parser.parse(QCoreApplication::arguments())) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty() && std::all_of(unknown.begin(), unknown.end(), isQtOption))
            return;
        const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", qPrintable(program),
                     qPrintable(parser.errorText()), qPrintable(program));
        std::exit(2);
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
}

}  // namespace

int main(int argc, char* argv[])
{
    nameProgram();
    answerWithoutDisplay(argc, argv);
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
