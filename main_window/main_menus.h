// The main window's menus: File, Edit, Conversion, View and Help, with the
// items the window connects to its commands. Each item keeps the object
// name of the menu it descends from (mnuOpen, mnuToPHP...).
#pragma once

#include "script_writer/targets.h"

#include <QObject>

#include <array>
#include <optional>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;

namespace tagora {

class RecentFiles;
class ScriptOptionsMenu;

class MainMenus : public QObject {
    Q_OBJECT
public:
    explicit MainMenus(QMainWindow* window);

    // The item of a mode: a target, or Script to HTML (none).
    QAction* modeItem(std::optional<Target> mode) const;
    QAction* languageItem(std::optional<Target> language) const;
    // Check marks and enabled items of the mode.
    void showMode(std::optional<Target> mode);
    // The texts that name what the boxes hold.
    void showNames(bool readsScript, const QString& outputTitle);

    QAction* openItem = nullptr;
    RecentFiles* recentFiles = nullptr;
    QAction* saveItem = nullptr;
    QAction* exitItem = nullptr;
    QAction* convertItem = nullptr;
    QAction* clearItem = nullptr;
    QAction* undoClearItem = nullptr;
    std::array<QAction*, kTargetCount> targetItems{};  // indexed by target
    QAction* scriptToHtmlItem = nullptr;
    QAction* automaticLanguageItem = nullptr;
    std::array<QAction*, kTargetCount> languageItems{};  // indexed by target
    QAction* classicEscapingItem = nullptr;
    ScriptOptionsMenu* scriptOptions = nullptr;
    QAction* asYouTypeItem = nullptr;
    QAction* stackedItem = nullptr;
    QAction* sideBySideItem = nullptr;
    QAction* quickHelpItem = nullptr;
    QAction* aboutItem = nullptr;

private:
    void createFileMenu();
    void createEditMenu();
    void createConversionMenu();
    void createScriptLanguageMenu(QMenu* conversion);
    void createViewMenu();
    void createHelpMenu();

    QMainWindow* window_;
    QMenu* scriptLanguageMenu_ = nullptr;
};

}  // namespace tagora
