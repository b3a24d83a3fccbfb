// Tagora Converter: turns pasted HTML into a PHP or ASP script.
#include "frm_Main.h"
#include "window_helpers.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tagora Converter"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.TagoraConverter"));

    frm_Main mainWindow;
    mainWindow.load();
    mainWindow.adjustSize();
    tagora::runtime::centerOnScreen(&mainWindow);
    mainWindow.show();
    return QApplication::exec();
}
