// Tagora Converter: turns pasted HTML into a PHP or ASP script.
#include "credits.h"
#include "frm_Main.h"
#include "text_conversion.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(tagora::runtime::fromAscii(tagora::credits::kProductName));
    QApplication::setApplicationVersion(tagora::runtime::fromAscii(tagora::credits::kVersion));
    QApplication::setDesktopFileName(tagora::runtime::fromAscii(tagora::credits::kApplicationId));

    frm_Main mainWindow;
    mainWindow.start();
    return QApplication::exec();
}
