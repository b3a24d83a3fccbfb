// tagora-editor-components-bench: the window's text box (CodeTextBox with
// its highlighter colouring HTML) against QScintilla (QsciScintilla with
// its HTML lexer), offscreen, on the same pages: opening a 10 MB page, and
// one keystroke in a 100 KB page, in 1 MB of lines and in a 1 MB page of
// one line. The box also runs without colours. The editors run in turn
// (interleaved), median of the runs, in milliseconds; "ratio" is
// QScintilla's time over the coloured box's.
//
//   tagora-editor-components-bench [--runs N]
#include "code_text_box.h"
#include "sample_html.h"
#include "syntax_highlighter.h"
#include "timing.h"
#include "window_helpers.h"

#include <Qsci/qsciscintilla.h>
#include <Qsci/qscilexerhtml.h>

#include <QApplication>
#include <QTest>
#include <QTextCursor>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {

using namespace tagora;
using namespace tagora::bench;
using namespace tagora::runtime;

void settle()
{
    QCoreApplication::processEvents();
}

QString page(std::size_t units, bool singleLine)
{
    std::u16string html = sampleHtml(units);
    if (singleLine)
        std::erase_if(html, [](char16_t c) { return c == u'\r' || c == u'\n'; });
    return QString::fromStdU16String(html);
}

// One editor of either kind, shown at the window's box size.
struct Editor {
    virtual ~Editor() = default;
    virtual QWidget* widget() = 0;
    virtual void setText(const QString& text) = 0;
    virtual void caretToMiddle() = 0;
};

struct BoxEditor : Editor {
    CodeTextBox box;
    SyntaxHighlighter colours{box.document()};
    explicit BoxEditor(bool coloured)
    {
        box.setFont(courierNew(9.75));
        box.setLineNumbersShown(true);
        colours.setLanguage(coloured ? SyntaxHighlighter::Language::Html : SyntaxHighlighter::Language::None);
        colours.setShown(coloured);
    }
    QWidget* widget() override { return &box; }
    void setText(const QString& text) override { box.setPlainText(text); }
    void caretToMiddle() override
    {
        QTextCursor middle(box.document());
        middle.setPosition(box.document()->characterCount() / 2);
        box.setTextCursor(middle);
    }
};

struct ScintillaEditor : Editor {
    QsciScintilla box;
    QsciLexerHTML lexer;
    ScintillaEditor()
    {
        lexer.setDefaultFont(courierNew(9.75));
        box.setLexer(&lexer);
        box.setMarginType(0, QsciScintilla::NumberMargin);
        box.setMarginWidth(0, QStringLiteral("000000"));
        box.setUtf8(true);
    }
    QWidget* widget() override { return &box; }
    void setText(const QString& text) override { box.setText(text); }
    void caretToMiddle() override
    {
        const int middle = int(box.length() / 2);
        int line = 0, index = 0;
        box.lineIndexFromPosition(middle, &line, &index);
        box.setCursorPosition(line, index);
    }
};

enum Kind { Box, PlainBox, Scintilla, kKinds };

std::unique_ptr<Editor> editorOf(int kind)
{
    std::unique_ptr<Editor> editor;
    if (kind == Scintilla)
        editor = std::make_unique<ScintillaEditor>();
    else
        editor = std::make_unique<BoxEditor>(kind == Box);
    editor->widget()->resize(900, 400);
    editor->widget()->show();
    settle();
    return editor;
}

double openMs(int kind, const QString& text)
{
    auto editor = editorOf(kind);
    return millisecondsOf([&] {
        editor->setText(text);
        settle();
    });
}

double keystrokeMs(int kind, const QString& text)
{
    auto editor = editorOf(kind);
    editor->setText(text);
    editor->caretToMiddle();
    editor->widget()->setFocus();
    settle();
    QTest::qWait(50);
    return millisecondsOf([&] {
        QTest::keyClick(editor->widget(), Qt::Key_X);
        settle();
    });
}

void row(const char* name, int runs, const std::function<double(int)>& job)
{
    std::vector<double> times[kKinds];
    for (int r = 0; r < runs; ++r) {
        for (int k = 0; k < kKinds; ++k) {
            const int kind = (k + r) % kKinds;
            times[kind].push_back(job(kind));
        }
    }
    const double box = summarize(times[Box]).medianMs, scintilla = summarize(times[Scintilla]).medianMs;
    std::printf("%-32s %12.1f %12.1f %12.1f %8.2f\n", name, box, summarize(times[PlainBox]).medianMs, scintilla,
                scintilla / box);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 2 && std::string(argv[1]) == "--runs" ? std::max(1, std::atoi(argv[2])) : 3;
    const QString tenMb = page(10'000'000, false), hundredKb = page(100'000, false);
    const QString oneMbLines = page(1'000'000, false), oneMbLine = page(1'000'000, true);
    std::printf("Offscreen, a 900 x 400 box, HTML coloured; median of %d interleaved runs, ms.\n\n", runs);
    std::printf("%-32s %12s %12s %12s %8s\n", "", "CodeTextBox", "no colours", "QScintilla", "ratio");
    row("open a 10 MB page", runs, [&](int s) { return openMs(s, tenMb); });
    row("keystroke, 100 KB page", runs, [&](int s) { return keystrokeMs(s, hundredKb); });
    row("keystroke, 1 MB of lines", runs, [&](int s) { return keystrokeMs(s, oneMbLines); });
    row("open a 1 MB one-line page", runs, [&](int s) { return openMs(s, oneMbLine); });
    row("keystroke, 1 MB one-line page", runs, [&](int s) { return keystrokeMs(s, oneMbLine); });
    return 0;
}
