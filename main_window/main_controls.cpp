#include "main_controls.h"

#include "artwork.h"
#include "box_pane.h"
#include "code_text_box.h"
#include "link_label.h"
#include "main_layout.h"
#include "main_window_geometry.h"
#include "readable_colours.h"
#include "status_strip.h"
#include "target_texts.h"
#include "window_colours.h"
#include "window_helpers.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace tagora {

using namespace runtime;

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("frm_Main", text);
}

// The button row's buttons, left to right.
enum class Button { CharacterCodes, CopyLiteral, Convert, Clear, Copy, Save };

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, Button place)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    const int left = geometry::kButtonLefts[static_cast<int>(place)];
    button->setGeometry(
        twipsRect(left, geometry::kButtonRowTop, geometry::kButtonSize.width(), geometry::kButtonSize.height()));
    // A focused button also answers Enter, not only Space.
    button->setAutoDefault(true);
    return button;
}

CodeTextBox* addTextBox(BoxPane* pane, const char* name, const QColor& color)
{
    auto* box = new CodeTextBox(pane);
    box->setObjectName(QString::fromLatin1(name));
    box->setFont(courierNew(9.75));
    box->setLineNumbersShown(true);
    if (color.isValid())
        setReadableColour(box, QPalette::Text, color);
    pane->setBox(box);
    return box;
}

LinkLabel* addLink(QWidget* parent, const char* name, const QString& text, QPoint twips)
{
    auto* link = new LinkLabel(parent);
    setUpLabel(link, name, text, twips, tahoma(8.25, false, true), colours::kLinkBlue);
    link->setCursor(artwork::linkCursor());
    return link;
}

// "PHP Script:" -> "PHP Script": a caption as a box's accessible name.
QString captionName(const QString& caption)
{
    QString name = caption.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name;
}


}  // namespace

// The line lies beneath everything.
MainControls::MainControls(QWidget* client, MainLayout* layout, const QString& scriptToHtmlCaption)
{
    createBoxes(layout);
    createModeList(layout, scriptToHtmlCaption);
    createButtons(client, layout);
    createStatusStrip(client, layout);
    createLine(client, layout);
    setTabOrder();
    describe();
}

// Each box below its caption line: the caption, the Enlarge link, and at
// the right end the Open link over the input, the drop-down of modes over
// the output.
void MainControls::createBoxes(MainLayout* layout)
{
    BoxPane* input = layout->inputPane();
    inputBox = addTextBox(input, "txtHTML", QColor());
    inputBox->setSlicedWhileFocused(true);
    inputCaption = addLabel(input, "Label1", tr("HTML Code:"), geometry::kInputCaptionPlace, msSansSerif(8.25, true));
    enlargeInputLink = addLink(input, "lblEnlarge1", tr("Enlarge"), geometry::kEnlargeInputPlace);
    openFileLink = addLink(input, "lblRefresh", tr("Open HTML File"), {});
    input->keepFromRight(openFileLink, px(geometry::kOpenFileFromRight));
    BoxPane* output = layout->outputPane();
    outputBox = addTextBox(output, "txtPHP", colours::kScriptBlue);
    outputCaption =
        addLabel(output, "lblConvertto", tr("PHP Script:"), geometry::kOutputCaptionPlace, msSansSerif(8.25, true));
    enlargeOutputLink = addLink(output, "lblEnlarge", tr("Enlarge"), geometry::kEnlargeOutputPlace);
}

// The buttons keep their places against the bottom right corner.
void MainControls::createButtons(QWidget* client, MainLayout* layout)
{
    characterCodesButton = addButton(client, "Command1", tr("Character Co&des"), Button::CharacterCodes);
    characterCodesButton->setToolTip(
        tr("Lists the Windows-1252 code of every character of the input after the output"));
    copyLiteralButton = addButton(client, "cmdCopyLiteral", tr("Copy &as Literal"), Button::CopyLiteral);
    convertButton = addButton(client, "cmdConvert", tr("&Convert"), Button::Convert);
    clearButton = addButton(client, "cmdClear", tr("C&lear"), Button::Clear);
    copyButton = addButton(client, "mnuCopy", tr("Co&py Script"), Button::Copy);
    saveButton = addButton(client, "cmdSaveScript", tr("&Save Script"), Button::Save);
    for (QPushButton* button :
         {characterCodesButton, copyLiteralButton, convertButton, clearButton, copyButton, saveButton})
        layout->keepInCorner(button);
}

// The conversion modes as a drop-down at the right end of the output's
// caption line, as high as the line: the Conversion menu's items.
void MainControls::createModeList(MainLayout* layout, const QString& scriptToHtmlCaption)
{
    BoxPane* output = layout->outputPane();
    modeList = new QComboBox(output);
    modeList->setObjectName(QStringLiteral("cboConversion"));
    modeList->setFont(tahoma(8.25));
    for (const TargetInfo& info : targets())
        modeList->addItem(withoutAccessKey(textsOf(info.target).caption));
    modeList->addItem(QString(scriptToHtmlCaption).remove(QLatin1Char('&')));
    modeList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    modeList->setFixedHeight(px(geometry::kCaptionLineHeight));
    modeList->resize(modeList->sizeHint().width(), modeList->height());
    output->keepFromRight(modeList, modeList->width());
}

// A one-pixel white line across the window.
void MainControls::createStatusStrip(QWidget* client, MainLayout* layout)
{
    statusStrip = new StatusStrip(client);
    const QRect strip = geometry::kStatusStripRect;
    statusStrip->setGeometry(twipsRect(strip.x(), strip.y(), strip.width(), strip.height()));
    layout->keepAcross(statusStrip);
}

// A one-pixel white line across the window.
void MainControls::createLine(QWidget* client, MainLayout* layout)
{
    auto* line = new QFrame(client);
    line->setObjectName(QStringLiteral("Line1"));
    line->setGeometry(px(geometry::kLineLeft), px(geometry::kLineTop), px(geometry::kLineRight) - px(geometry::kLineLeft),
                      1);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, Qt::white);
    line->setPalette(palette);
    line->lower();
    layout->keepAcross(line);
}

// Reading order: the controls on the caption line of a box come before the
// box, the buttons after both boxes. The input box has the focus first.
void MainControls::setTabOrder()
{
    QWidget* const order[] = {enlargeInputLink,     openFileLink,       inputBox,      enlargeOutputLink,
                              modeList,             outputBox,          characterCodesButton,
                              copyLiteralButton,    convertButton,      clearButton,   copyButton,
                              saveButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// Descriptions for screen readers. Buttons and menu items are named by
// their captions; the boxes by the captions above them (showCaptions()).
void MainControls::describe()
{
    inputBox->setAccessibleDescription(tr("The HTML to convert"));
    outputBox->setAccessibleDescription(tr("The script made from the HTML code"));
    enlargeInputLink->setAccessibleDescription(tr("Shows the input in a larger window"));
    enlargeOutputLink->setAccessibleName(tr("Enlarge Script"));
    enlargeOutputLink->setAccessibleDescription(tr("Shows the output in a larger window"));
    modeList->setAccessibleName(tr("Conversion"));
    modeList->setAccessibleDescription(tr("Chooses what the input is converted to, as the Conversion menu does"));
    modeList->setToolTip(tr("Conversion"));
    characterCodesButton->setAccessibleName(tr("List Character Codes"));
    characterCodesButton->setAccessibleDescription(
        tr("Appends the Windows-1252 code of every character of the input to the output"));
    copyLiteralButton->setAccessibleDescription(
        tr("Copies the HTML code to the clipboard as one string literal of the chosen language"));
    convertButton->setAccessibleDescription(tr("Converts the input"));
    copyButton->setAccessibleDescription(tr("Copies the output to the clipboard"));
    saveButton->setAccessibleDescription(tr("Saves the output in a file"));
}

// In Script to HTML mode the input is a script. The output caption names
// what the output holds, and says when it is out of date; the Enlarge link
// beside it moves right when a long caption would reach it.
void MainControls::showCaptions(bool readsScript, const QString& outputCaption)
{
    setLabelText(inputCaption, readsScript ? tr("Script:") : tr("HTML Code:"));
    inputBox->setAccessibleName(captionName(inputCaption->text()));
    setLabelText(openFileLink, readsScript ? tr("Open Script File") : tr("Open HTML File"));
    openFileLink->setAccessibleDescription(readsScript ? tr("Chooses a script file to load into the Script box")
                                                       : tr("Chooses an HTML file to load into the HTML Code box"));
    enlargeInputLink->setAccessibleName(tr("Enlarge %1").arg(captionName(inputCaption->text())));
    setLabelText(this->outputCaption, outputCaption);
    outputBox->setAccessibleName(captionName(outputCaption));
    enlargeOutputLink->move(std::max(px(geometry::kEnlargeOutputPlace.x()),
                                     this->outputCaption->geometry().right() + 1 + px(geometry::kEnlargeOutputGap)),
                            enlargeOutputLink->y());
}

int MainControls::modeRow(std::optional<Target> mode)
{
    return mode ? static_cast<int>(*mode) : static_cast<int>(kTargetCount);
}

std::optional<Target> MainControls::modeOfRow(int row)
{
    if (row < 0 || row >= static_cast<int>(kTargetCount))
        return std::nullopt;
    return static_cast<Target>(row);
}

void MainControls::showMode(std::optional<Target> mode)
{
    modeList->setCurrentIndex(modeRow(mode));
    copyLiteralButton->setEnabled(mode.has_value());
}

}  // namespace tagora
