// How the tests run Wine's cscript: in a prefix of the build tree's own
// (made on the first run), quiet, without the .NET and HTML engines it
// would offer to install, and without a display.
#pragma once

#include <QCoreApplication>
#include <QProcessEnvironment>

inline QProcessEnvironment wineEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEPREFIX"), QCoreApplication::applicationDirPath() + QStringLiteral("/wineprefix"));
    environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    environment.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return environment;
}
