// The choices the program remembers between runs, in the user's
// configuration folder ($XDG_CONFIG_HOME/tagora-converter/).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tagora::runtime {

struct RememberedChoices {
    QString target;  // as tagora-convert --to names it; empty the first time
    bool classicEscaping = false;
    bool convertAsYouType = true;
    QString scriptLanguage;  // of Script to HTML, as --from names it; empty: recognised
};

RememberedChoices rememberedChoices();
void rememberChoices(const RememberedChoices& choices);

// The script options: the header comment, the JavaScript constant's name.
struct RememberedScriptOptions {
    bool header = true;
    QString variableName;  // empty for the default
};

RememberedScriptOptions rememberedScriptOptions();
void rememberScriptOptions(const RememberedScriptOptions& options);
// The main window's size, position and maximized state, as
// QWidget::saveGeometry() gives them; empty the first time.
QByteArray rememberedWindowGeometry();
void rememberWindowGeometry(const QByteArray& geometry);
// How the main window's boxes stand: side by side or stacked, and where
// the splitter between them is, as QSplitter::saveState() gives it.
struct RememberedArrangement {
    bool sideBySide = false;
    QByteArray splitter;  // empty the first time
};
RememberedArrangement rememberedBoxArrangement();
void rememberBoxArrangement(const RememberedArrangement& arrangement);

// The text boxes' zoom, in steps from the font's own size (0), and
// whether their long lines wrap.
struct RememberedEditorView {
    int zoom = 0;
    bool wordWrap = false;
};

RememberedEditorView rememberedEditorView();
void rememberEditorView(const RememberedEditorView& view);
// The files opened last, the latest first.
QStringList rememberedRecentFiles();
void rememberRecentFiles(const QStringList& files);

}  // namespace tagora::runtime
