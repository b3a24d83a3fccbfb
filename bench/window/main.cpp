// tagora-window-bench: the real main window, offscreen, timed on large
// pages: open, Convert, Copy Script, the character listing and save, for
// 1, 5 and 20 MB of multi-line HTML and a 1 MB single line (a minified
// page). Message boxes and file dialogs are answered by the runtime's test
// hooks. Prints the median of the runs and the time per MB, which stays
// about the same when the cost grows linearly.
//
//   tagora-window-bench [--runs N]   timings (offscreen platform by default)
//   tagora-window-bench --idle       process CPU time over 10 s while the
//                                    focused input or output box holds a
//                                    1 MB line (run on an X display with a
//                                    window manager: bench/window/idle-cpu.sh)
//   tagora-window-bench --write-line FILE
//                                    writes the 1 MB single-line page
//   tagora-window-bench --colours [--runs N]
//                                    one keystroke with the colours on and
//                                    off (interleaved): a 100 KB page of
//                                    HTML, of PHP in Script to HTML mode
//                                    (coloured whole), its script in the
//                                    output box; and opening and typing in
//                                    the 1 MB single-line page
//   tagora-window-bench --show TARGET FILE [--dark] [--viewer] [--listing] [--side-by-side] [--find] [SECONDS]
//                                    the window started with FILE and
//                                    converting it to TARGET (or "html"),
//                                    shown for a screenshot, on a dark
//                                    palette, the script in the viewer,
//                                    the character codes listed, the
//                                    boxes side by side, the input's find
//                                    bar open on "price"
//   tagora-window-bench --typing [--runs N]
//                                    one keystroke in the input box holding
//                                    a 100 KB page, and in one at the limit
//                                    of conversion as one types, with that
//                                    conversion on and off, and the
//                                    conversion that follows the pause
//   tagora-window-bench --large [--runs N] [CLI]
//                                    a 10 MB page: opening it and converting
//                                    it to PHP in the window against
//                                    tagora-convert (CLI, by default the
//                                    build's) converting the file, in turn
//   tagora-window-bench --shaping [--runs N]
//                                    open and one keystroke with a 100 KB
//                                    and a 1 MB line in a box of the code
//                                    font, shaped as usual or with
//                                    QFont::PreferNoShaping (interleaved)
#include "code_text_box.h"
#include "file_dialog.h"
#include "find_bar.h"
#include "frm_Main.h"
#include "message_box.h"
#include "sample_html.h"
#include "script_writer/script_generator.h"
#include "syntax_highlighter.h"
#include "text_conversion.h"
#include "timing.h"
#include "window_helpers.h"

#include <QAction>
#include <QApplication>
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

using namespace tagora;
using namespace tagora::bench;
using namespace tagora::runtime;

// A control of the window, by its object name.
template <typename T> T* named(const QObject* window, const char* name)
{
    return window->findChild<T*>(QLatin1String(name));
}

CodeTextBox* inputBox(const frm_Main& window)
{
    return named<CodeTextBox>(&window, "txtHTML");
}

CodeTextBox* outputBox(const frm_Main& window)
{
    return named<CodeTextBox>(&window, "txtPHP");
}

void click(const frm_Main& window, const char* button)
{
    named<QPushButton>(&window, button)->click();
}

struct Page {
    const char* name;
    std::size_t megabytes;
    bool singleLine;
};

std::string pageBytes(std::size_t units, bool singleLine)
{
    std::u16string html = sampleHtml(units);
    if (singleLine) {
        std::u16string line;
        line.reserve(html.size());
        for (const char16_t c : html) {
            if (c != u'\r' && c != u'\n')
                line.push_back(c);
        }
        html = line;
    }
    return toUtf8(html);
}

bool writeFile(const QString& path, const std::string& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly)
           && file.write(bytes.data(), static_cast<qint64>(bytes.size())) == qint64(bytes.size());
}

// Lets the window finish what a user would wait for: layout and painting.
void settle()
{
    QCoreApplication::processEvents();
}

struct Row {
    std::vector<double> open, convert, copy, listing, save;
};

void timeOnce(frm_Main& window, const QString& html, const QString& script, Row& row)
{
    row.open.push_back(millisecondsOf([&] { window.openFile(html); settle(); }));
    row.convert.push_back(millisecondsOf([&] { click(window, "cmdConvert"); settle(); }));
    row.copy.push_back(millisecondsOf([&] { click(window, "mnuCopy"); settle(); }));
    setFileDialogHook([&](const FileDialogRequest&) { return script; });
    row.save.push_back(millisecondsOf([&] { click(window, "cmdSaveScript"); settle(); }));
    row.listing.push_back(millisecondsOf([&] { click(window, "Command1"); settle(); }));
}

void printRow(const Page& page, double megabytes, const Row& row)
{
    std::printf("%-22s %6.1f", page.name, megabytes);
    for (const auto* samples : {&row.open, &row.convert, &row.copy, &row.listing, &row.save}) {
        const double ms = summarize(*samples).medianMs;
        std::printf(" %8.0f %6.0f", ms, ms / megabytes);
    }
    std::printf("\n");
}

int runTimings(int runs)
{
    QTemporaryDir dir;
    setMessageHook([](const ShownMessage&) {});
    const Page pages[] = {{"1 MB, multi-line", 1, false}, {"5 MB, multi-line", 5, false},
                          {"20 MB, multi-line", 20, false}, {"1 MB, one line", 1, true}};
    std::printf("Main window offscreen; median of %d runs; ms and ms per MB (MB = 10^6 bytes of "
                "the UTF-8 file).\nThe listing takes at most %lld characters; beyond that it "
                "answers with a warning.\n\n",
                runs, static_cast<long long>(frm_Main::kLongestListedInput));
    std::printf("%-22s %6s %15s %15s %15s %15s %15s\n", "page", "MB", "open", "Convert",
                "Copy Script", "listing", "save");
    for (const Page& page : pages) {
        const QString html = dir.filePath(QStringLiteral("page.html"));
        const std::string bytes = pageBytes(page.megabytes * 1'000'000, page.singleLine);
        if (!writeFile(html, bytes))
            return 1;
        Row row;
        for (int r = 0; r < runs; ++r) {
            frm_Main window;
            window.show();
            settle();
            timeOnce(window, html, dir.filePath(QStringLiteral("page.php")), row);
        }
        printRow(page, static_cast<double>(bytes.size()) / 1e6, row);
    }
    // The listing at its limit: the slowest input it accepts.
    frm_Main window;
    window.show();
    setEditorText(inputBox(window), QString(frm_Main::kLongestListedInput, QLatin1Char('x')));
    std::vector<double> listing;
    for (int r = 0; r < runs; ++r) {
        setEditorText(outputBox(window), QString());
        listing.push_back(millisecondsOf([&] { click(window, "Command1"); settle(); }));
    }
    std::printf("\nlisting of %lld characters (the limit): %.0f ms\n",
                static_cast<long long>(frm_Main::kLongestListedInput), summarize(listing).medianMs);
    return 0;
}

// The command line converting the file to PHP, start to exit.
double commandLineMs(const QString& cli, const QString& html, const QString& script)
{
    return millisecondsOf([&] {
        QProcess convert;
        convert.start(cli, {QStringLiteral("--to=php"), html, QStringLiteral("-o"), script});
        if (!convert.waitForFinished(120'000) || convert.exitCode() != 0)
            std::fprintf(stderr, "tagora-window-bench: %s failed\n", qPrintable(cli));
    });
}

int runLarge(int runs, const QString& cli)
{
    QTemporaryDir dir;
    setMessageHook([](const ShownMessage&) {});
    const QString html = dir.filePath(QStringLiteral("page.html"));
    const std::string bytes = pageBytes(10'000'000, false);
    if (!writeFile(html, bytes))
        return 1;
    std::vector<double> open, convert, filled, copy, commandLine;
    for (int r = 0; r < runs; ++r) {
        commandLine.push_back(commandLineMs(cli, html, dir.filePath(QStringLiteral("cli.php"))));
        frm_Main window;
        window.selectTarget(Target::Php);
        window.show();
        settle();
        open.push_back(millisecondsOf([&] { window.openFile(html); settle(); }));
        QElapsedTimer sinceConvert;
        sinceConvert.start();
        convert.push_back(millisecondsOf([&] { click(window, "cmdConvert"); settle(); }));
        copy.push_back(millisecondsOf([&] { click(window, "mnuCopy"); settle(); }));
        while (outputBox(window)->filling())
            QCoreApplication::processEvents();
        filled.push_back(double(sinceConvert.nsecsElapsed()) / 1e6);
    }
    const double cliMs = summarize(commandLine).medianMs;
    std::printf("A %.1f MB multi-line page to PHP; median of %d runs, ms.\n\n", double(bytes.size()) / 1e6, runs);
    std::printf("%-44s %8.0f\n", "tagora-convert (start to exit)", cliMs);
    std::printf("%-44s %8.0f\n", "window: open", summarize(open).medianMs);
    std::printf("%-44s %8.0f  (%.1f x tagora-convert)\n", "window: Convert, the script shown", summarize(convert).medianMs,
                summarize(convert).medianMs / cliMs);
    std::printf("%-44s %8.0f\n", "window: then Copy Script", summarize(copy).medianMs);
    std::printf("%-44s %8.0f\n", "window: Convert and Copy, until all is in", summarize(filled).medianMs);
    return 0;
}

// Opening a page of one long line and typing one character at its start,
// in a plain text box of the program's code font, shaped as usual and
// with QFont::PreferNoShaping, in interleaved runs. (The input and output
// boxes choose for themselves: see CodeTextBox.)
int runShaping(int runs)
{
    std::printf("Offscreen; one line of HTML in a text box of the code font; median of %d runs, ms.\n\n", runs);
    std::printf("%-10s %-18s %10s %12s\n", "line", "font", "open", "keystroke");
    for (const std::size_t units : {100'000, 1'000'000}) {
        const std::string bytes = pageBytes(units, true);
        const QString line = QString::fromUtf8(bytes);
        std::vector<double> open[2];
        std::vector<double> keystroke[2];
        for (int r = 0; r < runs; ++r) {
            for (const bool shaped : {r % 2 == 0, r % 2 != 0}) {
                QPlainTextEdit box;
                box.setLineWrapMode(QPlainTextEdit::NoWrap);
                QFont font = courierNew(9.75);
                font.setStyleStrategy(shaped ? QFont::PreferDefault : QFont::PreferNoShaping);
                box.setFont(font);
                box.resize(600, 300);
                box.show();
                settle();
                open[shaped].push_back(millisecondsOf([&] { box.setPlainText(line); settle(); }));
                box.setFocus();
                keystroke[shaped].push_back(millisecondsOf([&] {
                    QTest::keyClick(&box, Qt::Key_X);
                    settle();
                }));
            }
        }
        for (const bool shaped : {true, false}) {
            std::printf("%7.0f KB %-18s %10.0f %12.0f\n", static_cast<double>(bytes.size()) / 1e3,
                        shaped ? "shaped" : "PreferNoShaping", summarize(open[shaped]).medianMs,
                        summarize(keystroke[shaped]).medianMs);
        }
    }
    return 0;
}

// The highlighter of the box attached (colours on) or not (as before
// there were colours).
void setColours(CodeTextBox* box, bool on)
{
    static QHash<CodeTextBox*, SyntaxHighlighter*> highlighters;
    if (!highlighters.contains(box))
        highlighters[box] = box->document()->findChild<SyntaxHighlighter*>();
    highlighters[box]->setShown(on);
    settle();
}

double keystrokeMs(CodeTextBox* box)
{
    QTextCursor middle(box->document());
    middle.setPosition(box->document()->characterCount() / 2);
    middle.movePosition(QTextCursor::EndOfBlock);
    box->setTextCursor(middle);
    box->setFocus();
    settle();
    return millisecondsOf([&] {
        QTest::keyClick(box, Qt::Key_X);
        settle();
    });
}

struct ColourCase {
    const char* name;
    bool scriptToHtml;
    bool inOutput;
    QString text;
};

int runColours(int runs)
{
    QTemporaryDir dir;
    setMessageHook([](const ShownMessage&) {});
    const std::u16string html = sampleHtml(100'000);
    const QString page = QString::fromStdU16String(html);
    const QString php = QString::fromStdU16String(*script(Target::Php, Escaping::Exact, html));
    // A hand-written page: the HTML with a code island on every line.
    QString islands;
    for (const QString& line : page.split(QStringLiteral("\r\n")))
        islands += line + QStringLiteral("<?php echo $row['name'] . \"\\n\"; /* note */ ?>\r\n");
    islands.truncate(100'000);
    const ColourCase cases[] = {
        {"100 KB HTML, input box", false, false, page},
        {"100 KB PHP script, Script to HTML", true, false, php},
        {"100 KB PHP page, Script to HTML", true, false, islands},
        {"its PHP script, output box", false, true, php},
    };
    std::printf("Main window offscreen; median of %d runs, ms; colours on and off interleaved.\n\n", runs);
    std::printf("%-34s %12s %12s\n", "one keystroke", "colours on", "off");
    frm_Main window;
    window.show();
    for (const ColourCase& c : cases) {
        c.scriptToHtml ? named<QAction>(&window, "mnuToHTML")->trigger() : window.selectTarget(Target::Php);
        CodeTextBox* box = c.inOutput ? outputBox(window) : inputBox(window);
        setEditorText(inputBox(window), QString());
        setEditorText(outputBox(window), QString());
        setEditorText(box, c.text);
        settle();
        std::vector<double> times[2];
        for (int r = 0; r < runs; ++r) {
            for (const bool on : {r % 2 == 0, r % 2 != 0}) {
                setColours(box, on);
                times[on].push_back(keystrokeMs(box));
            }
        }
        setColours(box, true);
        std::printf("%-34s %12.1f %12.1f\n", c.name, summarize(times[1]).medianMs, summarize(times[0]).medianMs);
    }
    const QString line = dir.filePath(QStringLiteral("line.html"));
    if (!writeFile(line, pageBytes(1'000'000, true)))
        return 1;
    window.selectTarget(Target::Php);
    std::vector<double> open[2], keystroke[2];
    for (int r = 0; r < runs; ++r) {
        for (const bool on : {r % 2 == 0, r % 2 != 0}) {
            setColours(inputBox(window), on);
            setEditorText(inputBox(window), QString());
            settle();
            open[on].push_back(millisecondsOf([&] { window.openFile(line); settle(); }));
            keystroke[on].push_back(keystrokeMs(inputBox(window)));
        }
    }
    setColours(inputBox(window), true);
    std::printf("%-34s %12.1f %12.1f\n%-34s %12.1f %12.1f\n", "1 MB one-line page: open", summarize(open[1]).medianMs,
                summarize(open[0]).medianMs, "1 MB one-line page: keystroke", summarize(keystroke[1]).medianMs,
                summarize(keystroke[0]).medianMs);
    return 0;
}

// The window converting a file, shown until the time is up.
struct ShowFlags {
    bool dark = false, viewer = false, listing = false, sideBySide = false, find = false;
};

int runShow(const QString& target, const QString& file, ShowFlags flags, int seconds)
{
    QTimer::singleShot(seconds * 1000, [] { std::exit(0); });
    if (flags.dark) {
        QApplication::setStyle(QStringLiteral("Fusion"));
        QPalette palette;
        const QColor window(45, 45, 48), base(30, 30, 30), text(230, 230, 230);
        for (const auto role : {QPalette::Window, QPalette::Button, QPalette::AlternateBase})
            palette.setColor(role, window);
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, text);
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Link, QColor(86, 156, 214));
        palette.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
        QApplication::setPalette(palette);
    }
    setMessageHook([](const ShownMessage&) {});
    frm_Main window;
    if (target == QLatin1String("html"))
        named<QAction>(&window, "mnuToHTML")->trigger();
    else
        window.selectTarget(targetNamed(target.toStdString()).value_or(Target::Php));
    named<QAction>(&window, flags.sideBySide ? "mnuSideBySide" : "mnuStacked")->trigger();
    window.start(file);
    click(window, "cmdConvert");
    if (flags.listing)
        click(window, "Command1");
    if (flags.viewer)
        QTimer::singleShot(500, &window, &frm_Main::enlargeOutput);
    if (flags.find) {
        QTimer::singleShot(500, &window, [&window] {
            inputBox(window)->setFocus();
            inputBox(window)->findBar()->setText(QStringLiteral("price"));
            inputBox(window)->findBar()->open();
            inputBox(window)->findBar()->find(FindDirection::Forward);
            QTest::keyClick(inputBox(window)->findBar()->findChild<QWidget*>(QStringLiteral("findText")), Qt::Key_Return);
        });
    }
    return QApplication::exec();
}

// The keystroke itself, and how long after the pause in typing the
// output takes to follow (the conversion, and the output box taking it).
struct TypingTimes {
    std::vector<double> keystroke, conversion;
};

TypingTimes timeTyping(const QString& page, bool asYouType, int runs)
{
    frm_Main window;
    QAction* asYouTypeItem = named<QAction>(&window, "mnuConvertAsYouType");
    if (asYouTypeItem->isChecked() != asYouType)
        asYouTypeItem->trigger();
    window.show();
    CodeTextBox* input = inputBox(window);
    setEditorText(input, page);
    QTest::qWait(frm_Main::kTypingPauseMs * 2);
    click(window, "cmdConvert");
    input->setFocus();
    QTextCursor middle(input->document()->findBlockByNumber(input->document()->blockCount() / 2));
    input->setTextCursor(middle);
    settle();
    TypingTimes times;
    for (int r = 0; r < runs; ++r) {
        const int revision = outputBox(window)->document()->revision();
        times.keystroke.push_back(millisecondsOf([&] {
            QTest::keyClick(input, Qt::Key_X);
            settle();
        }));
        if (!asYouType)
            continue;
        QElapsedTimer waited;
        waited.start();
        while (outputBox(window)->document()->revision() == revision && waited.elapsed() < 10'000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        settle();
        times.conversion.push_back(double(waited.nsecsElapsed()) / 1e6 - frm_Main::kTypingPauseMs);
    }
    return times;
}

int runTyping(int runs)
{
    std::printf("Offscreen; one keystroke in the middle of the input box, the page multi-line; median of %d "
                "runs, ms.\nConversion as you type waits for a pause of %d ms; the conversion column is the "
                "time after that pause until the output box has the new script.\n\n",
                runs, frm_Main::kTypingPauseMs);
    std::printf("%-30s %-16s %10s %12s\n", "page", "as you type", "keystroke", "conversion");
    const std::pair<const char*, std::size_t> pages[] = {
        {"100 KB", 100'000}, {"at the limit", std::size_t(frm_Main::kLongestInputConvertedAsYouType - 2000)}};
    for (const auto& [name, units] : pages) {
        const QString page = QString::fromUtf8(pageBytes(units, false)).left(units);
        for (const bool asYouType : {false, true}) {
            const TypingTimes times = timeTyping(page, asYouType, runs);
            const QString label = QStringLiteral("%1 (%2 characters)").arg(QLatin1String(name)).arg(page.size());
            std::printf("%-30s %-16s %10.1f", qPrintable(label), asYouType ? "on" : "off",
                        summarize(times.keystroke).medianMs);
            if (asYouType)
                std::printf(" %12.1f", summarize(times.conversion).medianMs);
            std::printf("\n");
        }
    }
    return 0;
}

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double idlePercent(int seconds)
{
    QEventLoop loop;
    const double start = processCpuSeconds();
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    return (processCpuSeconds() - start) / seconds * 100;
}

void measureIdle(frm_Main& window, CodeTextBox* box, const char* name, const QString& text)
{
    setEditorText(box, text);
    box->setFocus();
    QTest::qWait(2000);  // typed
    std::printf("%-40s %5.1f%% of a core (caret %s)\n", name, idlePercent(10),
                CodeTextBox::caretBlinks() ? "blinking" : "steady");
    setEditorText(box, QString());
    (void)window;
}

int runIdle()
{
    frm_Main window;
    window.show();
    window.activateWindow();
    QTest::qWait(1000);
    const QString line = QString::fromUtf8(pageBytes(1'000'000, true));
    std::printf("Process CPU time over 10 s, idle, the box focused:\n");
    measureIdle(window, inputBox(window), "input box, a short line (baseline)", QStringLiteral("<p>x</p>"));
    measureIdle(window, inputBox(window), "input box, a 1 MB line", line);
    measureIdle(window, outputBox(window), "output box, a 1 MB line", line);
    // For comparison: the same, with the caret made to blink regardless.
    setEditorText(inputBox(window), line);
    inputBox(window)->setFocus();
    QGuiApplication::styleHints()->setCursorFlashTime(1000);
    QTest::qWait(500);
    std::printf("%-40s %5.1f%% of a core (caret %s)\n", "input box, a 1 MB line, caret forced on",
                idlePercent(10), CodeTextBox::caretBlinks() ? "blinking" : "steady");
    setEditorText(inputBox(window), QStringLiteral("<p>short</p>\r\n") + line);
    inputBox(window)->setFocus();
    QTest::qWait(500);
    std::printf("%-40s %5.1f%% of a core (caret %s)\n", "input box, a short line above a 1 MB one",
                idlePercent(10), CodeTextBox::caretBlinks() ? "blinking" : "steady");
    return 0;
}

constexpr char kUsage[] =
    "Usage: tagora-window-bench [--runs N]       open, Convert, Copy, listing and save on large pages\n"
    "       tagora-window-bench --typing [--runs N]   a keystroke, conversion as one types on and off\n"
    "       tagora-window-bench --colours [--runs N]  a keystroke with the colours on and off\n"
    "       tagora-window-bench --shaping [--runs N]  open and a keystroke, text shaped or not\n"
    "       tagora-window-bench --large [--runs N] [CLI]  a 10 MB page: open and Convert against CLI\n"
    "       tagora-window-bench --idle                CPU time while a box holds a 1 MB line\n"
    "       tagora-window-bench --write-line FILE     writes the 1 MB single-line page\n"
    "       tagora-window-bench --show TARGET FILE [--dark] [--viewer] [--listing] [--side-by-side] [--find]\n"
    "                           [SECONDS]\n"
    "                                                 the window converting FILE, for a screenshot\n";

bool knownMode(const std::string& argument)
{
    for (const char* mode : {"--runs", "--typing", "--colours", "--shaping", "--large", "--idle", "--write-line", "--show"}) {
        if (argument == mode)
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc > 1 && !knownMode(argv[1])) {
        std::fprintf(stderr, "tagora-window-bench: unknown option '%s'\n%s", argv[1], kUsage);
        return 2;
    }
    if (argc == 3 && std::string(argv[1]) == "--write-line") {
        const std::string bytes = pageBytes(1'000'000, true);
        std::FILE* file = std::fopen(argv[2], "wb");
        const bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        return file && std::fclose(file) == 0 && written ? 0 : 1;
    }
    const bool idle = argc > 1 && std::string(argv[1]) == "--idle";
    const bool show = argc > 3 && std::string(argv[1]) == "--show";
    if (show) {
        QApplication app(argc, argv);
        ShowFlags flags;
        int seconds = 5;
        for (int i = 4; i < argc; ++i) {
            const std::string flag = argv[i];
            flags.dark = flags.dark || flag == "--dark";
            flags.viewer = flags.viewer || flag == "--viewer";
            flags.listing = flags.listing || flag == "--listing";
            flags.sideBySide = flags.sideBySide || flag == "--side-by-side";
            flags.find = flags.find || flag == "--find";
            seconds = flag[0] == '-' ? seconds : std::atoi(argv[i]);
        }
        return runShow(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), flags, seconds);
    }
    if (!idle && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (idle)
        return runIdle();
    const bool shaping = argc > 1 && std::string(argv[1]) == "--shaping";
    const bool typing = argc > 1 && std::string(argv[1]) == "--typing";
    const bool colours = argc > 1 && std::string(argv[1]) == "--colours";
    const bool large = argc > 1 && std::string(argv[1]) == "--large";
    const int first = shaping || typing || colours || large ? 2 : 1;
    const bool runsGiven = argc > first + 1 && std::string(argv[first]) == "--runs";
    int runs = runsGiven ? std::atoi(argv[first + 1]) : 3;
    runs = runs < 1 ? 1 : runs;
    if (large) {
        const int cliArgument = first + (runsGiven ? 2 : 0);
        const QString cli = argc > cliArgument ? QString::fromLocal8Bit(argv[cliArgument])
                                               : QCoreApplication::applicationDirPath() + QStringLiteral("/../../cli/tagora-convert");
        return runLarge(runs, cli);
    }
    if (typing)
        return runTyping(runs);
    if (colours)
        return runColours(runs);
    return shaping ? runShaping(runs) : runTimings(runs);
}
