// The main window's controls, each at its place in the layout: the two
// boxes with their captions and links, the drop-down of conversion modes
// beside the output box, the button row, the line and the status strip.
// Each keeps the object name of the control it descends from (txtHTML,
// cmdConvert, lblRefresh...); the C++ names say what they are.
#pragma once

#include "script_writer/targets.h"

#include <QString>

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace tagora {

namespace runtime {
class CodeTextBox;
}
class LinkLabel;
class MainLayout;
class StatusStrip;

class MainControls {
public:
    // In the client area, placed by the layout; the drop-down's last row
    // is Script to HTML, named by its menu item's caption.
    MainControls(QWidget* client, MainLayout* layout, const QString& scriptToHtmlCaption);

    // The drop-down's row of a mode, and the mode of a row.
    static int modeRow(std::optional<Target> mode);
    static std::optional<Target> modeOfRow(int row);
    // The drop-down and Copy as Literal follow the mode.
    void showMode(std::optional<Target> mode);
    // The captions say what the boxes hold; the output box's caption is
    // given whole ("PHP Script:").
    void showCaptions(bool readsScript, const QString& outputCaption);

    runtime::CodeTextBox* inputBox = nullptr;
    runtime::CodeTextBox* outputBox = nullptr;
    QLabel* inputCaption = nullptr;
    QLabel* outputCaption = nullptr;
    LinkLabel* enlargeInputLink = nullptr;
    LinkLabel* enlargeOutputLink = nullptr;
    LinkLabel* openFileLink = nullptr;
    QComboBox* modeList = nullptr;
    QPushButton* characterCodesButton = nullptr;
    QPushButton* copyLiteralButton = nullptr;
    QPushButton* convertButton = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* saveButton = nullptr;
    StatusStrip* statusStrip = nullptr;

private:
    void createBoxes(MainLayout* layout);
    void createModeList(MainLayout* layout, const QString& scriptToHtmlCaption);
    void createButtons(QWidget* client, MainLayout* layout);
    void createStatusStrip(QWidget* client, MainLayout* layout);
    void createLine(QWidget* client, MainLayout* layout);
    void setTabOrder();
    void describe();
};

}  // namespace tagora
