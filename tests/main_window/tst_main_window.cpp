// The main window: its commands, modes, listing, keys and windows; opening
// HTML files (encodings, errors) and saving scripts (names, bytes, failures).
#include "code_text_box.h"
#include "file_dialog.h"
#include "frm_About.h"
#include "frm_Main.h"
#include "frm_Notepad.h"
#include "frm_Splash.h"
#include "message_box.h"
#include "script_writer/script_generator.h"
#include "settings.h"
#include "syntax_highlighter.h"
#include "text_conversion.h"
#include "text_file.h"
#include "window_helpers.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <memory>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace tagora;
using namespace tagora::runtime;
Q_DECLARE_METATYPE(tagora::Target)

namespace {

// A control of the window, found by its object name as tests and screen
// readers find it.
template <typename T = QAction> T* named(const QObject* window, const char* name)
{
    T* found = window->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("the window has no %s", name);
    return found;
}

// The controls most tests use, by their object names.
struct Controls {
    CodeTextBox *txtHTML = nullptr, *txtPHP = nullptr;
    QPushButton *cmdConvert = nullptr, *cmdClear = nullptr, *mnuCopy = nullptr, *cmdSaveScript = nullptr,
                *Command1 = nullptr;
    QLabel* lblConvertto = nullptr;
};

Controls controlsOf(const QObject* w)
{
    return {named<CodeTextBox>(w, "txtHTML"),      named<CodeTextBox>(w, "txtPHP"),
            named<QPushButton>(w, "cmdConvert"),   named<QPushButton>(w, "cmdClear"),
            named<QPushButton>(w, "mnuCopy"),      named<QPushButton>(w, "cmdSaveScript"),
            named<QPushButton>(w, "Command1"),     named<QLabel>(w, "lblConvertto")};
}

QString scriptOf(Target target, const QString& html)
{
    return fromU16(*script(target, Escaping::Exact, toU16(html)));
}

const QString kSample = QStringLiteral("<p class=\"a\">x</p>\r\n\t<br>\r\n");

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A program run to its end: its exit code and what it wrote.
struct Finished {
    int exitCode = -1;  // -1: it crashed or did not finish
    QByteArray output, errors;
};

Finished run(const char* program, const QStringList& arguments,
             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QString::fromLocal8Bit(program), arguments);
    const bool finished = process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit;
    return {finished ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}

// Sends a whole drag and drop of the data onto the widget at pos; Qt
// passes it up to the first parent that takes drops.
void drop(QWidget* target, const QMimeData& data, QPoint pos = QPoint(10, 10))
{
    QDragEnterEvent enter(pos, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(pos, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &move);
    QDropEvent dropped(pos, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &dropped);
}

// Polls until a modal widget of the type is up, then runs the action on it.
template <typename Widget, typename Action> void whenModal(Action action)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (auto* widget = qobject_cast<Widget*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            timer->stop();
            action(widget);
        }
    });
    timer->start(20);
}

// The colour the box's highlighter gives the character, or none.
QColor colourAt(const QPlainTextEdit* box, int line, int column)
{
    const QTextBlock block = box->document()->findBlockByNumber(line);
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        if (range.start <= column && column < range.start + range.length)
            return range.format.foreground().color();
    }
    return QColor();
}

QList<QColor> coloursIn(const QPlainTextEdit* box)
{
    QList<QColor> colours;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            colours << range.format.foreground().color();
    }
    return colours;
}

// WCAG 2's contrast ratio, from its definitions of relative luminance.
double wcagContrast(const QColor& a, const QColor& b)
{
    const auto linear = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const auto luminance = [&](const QColor& c) {
        return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A dark palette as dark desktop themes give it.
QPalette darkPalette()
{
    const QColor window(45, 45, 48), text(230, 230, 230);
    QPalette dark(text, window, window, window, window, text, text, QColor(30, 30, 30), window);
    dark.setColor(QPalette::Link, QColor(86, 156, 214));
    dark.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    return dark;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        messages_.clear();
        requests_.clear();
        answer_.clear();
        // As at the first start, but converting only when asked: the rows
        // that test conversion as one types turn it on.
        RememberedChoices firstStart;
        firstStart.convertAsYouType = false;
        rememberChoices(firstStart);
        rememberScriptOptions({});
        setMessageHook([this](const ShownMessage& message) { messages_ << message; });
        questions_.clear();
        yes_ = false;
        setQuestionHook([this](const ShownMessage& question) {
            questions_ << question;
            return yes_;
        });
        setFileDialogHook([this](const FileDialogRequest& request) {
            requests_ << request;
            return answer_;
        });
        reopen();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_));
    }

    // No test leaves a message it did not expect.
    void cleanup()
    {
        setMessageHook({});
        setQuestionHook({});
        setFileDialogHook({});
        delete window_;
        window_ = nullptr;
        QVERIFY2(messages_.isEmpty(), qPrintable(messages_.value(0).prompt));
    }

    // Convert replaces the output (twice gives the same script); Clear empties
    // both boxes, keeps the mode and focuses the input. Each from its button,
    // its menu item, and its shortcut pressed in the focused text box.
    void commands()
    {
        item("mnuToASP")->trigger();
        for (const int how : {0, 1, 2}) {
            const auto trigger = [how](QPushButton* button, QAction* item) {
                const QKeyCombination key = item->shortcut()[0];
                how == 0 ? QTest::mouseClick(button, Qt::LeftButton)
                         : how == 1 ? item->trigger() : QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
            };
            setEditorText(ui_.txtHTML, kSample);
            setEditorText(ui_.txtPHP, QStringLiteral("old output"));
            ui_.txtHTML->setFocus();
            trigger(ui_.cmdConvert, item("mnuConvert"));
            trigger(ui_.cmdConvert, item("mnuConvert"));
            QCOMPARE(window_->outputText(), scriptOf(Target::Asp, kSample));
            ui_.txtPHP->setFocus();
            trigger(ui_.cmdClear, item("mnuClear"));
            QCOMPARE(window_->inputText() + window_->outputText(), QString());
            QCOMPARE(QApplication::focusWidget(), ui_.txtHTML);
            QVERIFY(item("mnuToASP")->isChecked());
        }
    }

    // With an empty input, Convert warns and the mode and escaping items leave
    // the output alone; with an input, each of them converts again at once.
    void modesAndEscaping()
    {
        const auto statement = [this] { return window_->outputText().split(QStringLiteral("\r\n")).value(5); };
        QAction *asp = item("mnuToASP"), *classic = item("mnuClassicEscaping");
        const struct { QAction* mode; QString exact, classic; } cases[] = {
            {item("mnuToPHP"), "echo \"<b a=\\\"\\$x\\\">\";", "echo \"<b a=\\\"$x\\\">\";"},
            {asp, "Response.Write(\"<b a=\"\"$x\"\">\")", "Response.Write(\"<b a='$x'>\")"}};
        for (const auto& [mode, exact, classicStatement] : cases) {
            ui_.cmdClear->click();
            setEditorText(ui_.txtPHP, QStringLiteral("kept\r\nas it is"));
            for (QAction* each : {asp, mode, classic, classic, item("mnuConvert")})
                each->trigger();
            QCOMPARE(window_->outputText(), QStringLiteral("kept\r\nas it is"));
            expectMessage(MessageIcon::Exclamation, {"There is no HTML Code to convert."});
            setEditorText(ui_.txtHTML, QStringLiteral("<b a=\"$x\">"));
            for (QAction* each : {asp, mode, mode})  // the mode already selected stays selected
                each->trigger();
            QCOMPARE(statement(), exact);
            classic->trigger();
            QCOMPARE(statement(), classicStatement);
            classic->trigger();
            QCOMPARE(statement(), exact);
        }
    }

    // Each target's item converts at once, names the target in the output
    // label (and so the output box, for screen readers) and the Save item,
    // offers its extension in the save dialog, and moves the Enlarge link
    // clear of a long name; Classic Escaping is there for PHP and ASP only.
    // Copy Script names the new targets, and PHP and ASP as version 1.0 did.
    // Script to HTML reads each script back into the page.
    void everyTarget()
    {
        const QString html = QStringLiteral("<a href=\"$x\">%>\u00E9 \U0001F600</a>\r\n\t<!-- x -->\r\n");
        setEditorText(ui_.txtHTML, html);
        const QList<QAction*> items = named<QActionGroup>(window_, "conversionModes")->actions();
        const QStringList copied{"PHP script", "PHP script", "PHP nowdoc script", "JavaScript", "JavaScript", "JSON",
                                 "JSP script", "Perl script", "Python script"};
        const LinkLabel* enlarge = named<LinkLabel>(window_, "lblEnlarge");
        for (const TargetInfo& info : targets()) {
            QAction* mode = items[qsizetype(info.target)];
            mode->trigger();
            const QString title = QString::fromLatin1(info.title.data(), qsizetype(info.title.size()));
            QVERIFY(mode->isChecked());
            QCOMPARE(window_->outputText(), scriptOf(info.target, html));
            QCOMPARE(ui_.lblConvertto->text(), title);
            QCOMPARE(ui_.txtPHP->accessibleName(), title);
            QCOMPARE(item("mnuSavePHPScript")->text(), "&Save " + title + "...");
            ui_.cmdSaveScript->click();  // cancelled
            QVERIFY(requests_.takeLast().filters.value(0).endsWith("(*" + fromAscii(info.extension) + ")"));
            QVERIFY(enlarge->x() > ui_.lblConvertto->geometry().right());
            QCOMPARE(item("mnuClassicEscaping")->isEnabled(), info.hasClassicEscaping);
            ui_.mnuCopy->click();
            expectMessage(MessageIcon::Information, {copied[qsizetype(info.target)] + " has been copied to the clipboard."});
            setEditorText(ui_.txtHTML, window_->outputText());
            item("mnuToHTML")->trigger();
            QCOMPARE(window_->outputText(), html);
            QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("HTML"));
            setEditorText(ui_.txtHTML, html);
        }
        item("mnuToPHP")->trigger();
        QCOMPARE(enlarge->x(), px(1395));
    }

    // The target, the escaping, the script options and the language Script
    // to HTML reads are there again at the next start; a classic PHP choice
    // stays while another target is chosen. A JavaScript name that cannot
    // name a constant is refused.
    void choicesRemembered()
    {
        QVERIFY(item("mnuHeaderComment")->isChecked() && !item("mnuJavaScriptName")->isEnabled());
        setEditorText(ui_.txtHTML, QStringLiteral("<p>"));
        item("mnuToJS")->trigger();
        QVERIFY(item("mnuJavaScriptName")->isEnabled());
        const auto name = [this](const char* answer) {
            whenModal<QInputDialog>([answer](QInputDialog* dialog) {
                dialog->setTextValue(QString::fromLatin1(answer));
                dialog->accept();
            });
            item("mnuJavaScriptName")->trigger();
        };
        name("class");
        expectMessage(MessageIcon::Exclamation, {"\"class\" cannot name a JavaScript constant", "reserved word"});
        QVERIFY(window_->outputText().endsWith(QStringLiteral("\r\nconst html = `<p>`;")));
        name("page");
        QVERIFY(window_->outputText().startsWith(QStringLiteral("// JavaScript generated by")));
        item("mnuHeaderComment")->trigger();
        QCOMPARE(window_->outputText(), QStringLiteral("const page = `<p>`;"));
        setEditorText(ui_.txtHTML, QString());
        for (const char* name : {"mnuToASP", "mnuClassicEscaping", "mnuToHTML", "mnuLanguage_asp", "mnuToJSON"})
            item(name)->trigger();
        reopen();
        QVERIFY(item("mnuToJSON")->isChecked() && !item("mnuToPHP")->isChecked());
        QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("JSON:"));
        QVERIFY(item("mnuClassicEscaping")->isChecked() && !item("mnuClassicEscaping")->isEnabled());
        QVERIFY(!item("mnuHeaderComment")->isChecked() && item("mnuLanguage_asp")->isChecked());
        setEditorText(ui_.txtHTML, QStringLiteral("\"q\""));
        item("mnuToASP")->trigger();
        QVERIFY(window_->outputText().contains(QStringLiteral("Response.Write(\"'q'\")")));
        item("mnuToJS")->trigger();
        QCOMPARE(window_->outputText(), QStringLiteral("const page = `\"q\"`;"));
        item("mnuClassicEscaping")->trigger();
        setEditorText(ui_.txtHTML, QStringLiteral("<p>"));
        item("mnuToPHP")->trigger();
        QCOMPARE(window_->outputText(), QStringLiteral("<?php\r\necho \"<p>\";\r\n?>"));
    }

    // HTML in the input box; the target's strings, escapes, keywords and
    // header in the script box; in Script to HTML mode the code islands of a
    // PHP page and the strings in them, in both boxes; the viewer as its box.
    void coloursInEveryMode()
    {
        setEditorText(ui_.txtHTML, QStringLiteral("<p class=\"a\">x &amp; \"y\"</p>"));
        const QColor tag = colourAt(ui_.txtHTML, 0, 1), attribute = colourAt(ui_.txtHTML, 0, 4),
                     value = colourAt(ui_.txtHTML, 0, 10);
        QVERIFY(tag.isValid() && attribute.isValid() && value.isValid());
        QVERIFY(tag != attribute && attribute != value);
        QVERIFY(!colourAt(ui_.txtHTML, 0, 14).isValid());  // text
        ui_.cmdConvert->click();
        // <?php, the comment header, then: echo "<p class=\"a\">x &amp; \"y\"</p>";
        const QColor header = colourAt(ui_.txtPHP, 1, 0);
        const QColor keyword = colourAt(ui_.txtPHP, 5, 0), string = colourAt(ui_.txtPHP, 5, 6),
                     escape = colourAt(ui_.txtPHP, 5, 15);
        QCOMPARE(window_->outputText().split(QStringLiteral("\r\n")).value(5).mid(15, 2), QStringLiteral("\\\""));
        QVERIFY(header.isValid() && keyword.isValid() && string.isValid() && escape.isValid());
        QCOMPARE(QSet<QRgb>({header.rgb(), keyword.rgb(), string.rgb(), escape.rgb()}).size(), 4);
        for (const TargetInfo& info : targets()) {
            window_->selectTarget(info.target);
            QVERIFY2(coloursIn(ui_.txtPHP).contains(string), info.name.data());
        }
        setEditorText(ui_.txtHTML, QStringLiteral("<b><?php $a = 'x'; /* c */ ?></b>"));
        item("mnuToHTML")->trigger();  // converts at once
        for (const QPlainTextEdit* box : {static_cast<QPlainTextEdit*>(ui_.txtHTML), static_cast<QPlainTextEdit*>(ui_.txtPHP)}) {
            QVERIFY(colourAt(box, 0, 1).isValid());   // <b
            QVERIFY(colourAt(box, 0, 4).isValid());   // <?php
            QCOMPARE(colourAt(box, 0, 14), string);   // 'x'
        }
        QVERIFY(colourAt(ui_.txtHTML, 0, 20).isValid());  // the comment
        whenModal<frm_Notepad>([string](frm_Notepad* viewer) {
            QVERIFY(named<CodeTextBox>(viewer, "txtHelp")->lineNumbersShown());
            QCOMPARE(colourAt(named<CodeTextBox>(viewer, "txtHelp"), 0, 14), string);
            viewer->close();
        });
        window_->enlargeInput();
    }

    // A line of more than 10,000 characters is plain, and while a box holds
    // one its other lines are coloured no further; the colours come back when
    // the line is gone, typed away or replaced.
    void coloursOffOnVeryLongLines()
    {
        const int longest = SyntaxHighlighter::kLongestColouredLine;
        setEditorText(ui_.txtHTML, QStringLiteral("<b>") + QString(longest - 3, u'x') + QStringLiteral("\r\n<i>"));
        QVERIFY(colourAt(ui_.txtHTML, 0, 1).isValid());
        QTextCursor end(ui_.txtHTML->document()->firstBlock());
        end.movePosition(QTextCursor::EndOfBlock);
        ui_.txtHTML->setTextCursor(end);
        QTest::keyClick(ui_.txtHTML, Qt::Key_X);
        QVERIFY(!colourAt(ui_.txtHTML, 0, 1).isValid());
        QVERIFY(colourAt(ui_.txtHTML, 1, 1).isValid());
        ui_.cmdConvert->click();
        QVERIFY(coloursIn(ui_.txtPHP).isEmpty());
        QTest::keyClick(ui_.txtHTML, Qt::Key_Backspace);
        QTRY_VERIFY(colourAt(ui_.txtHTML, 1, 1).isValid());
        QVERIFY(colourAt(ui_.txtHTML, 0, 1).isValid());
        convert(QStringLiteral("<i>"));
        QTRY_VERIFY(colourAt(ui_.txtPHP, 5, 0).isValid());
    }

    // The light palette keeps the window's own colours; on either palette
    // every text, link and the credit line, and every colour of the boxes,
    // has a contrast of at least 4.5:1 with what it is drawn on.
    void coloursReadableOnLightAndDarkPalettes()
    {
        const auto ownColours = [this] {
            QCOMPARE(ui_.txtPHP->palette().color(QPalette::Text), QColor(0, 0, 192));
            QCOMPARE(named<QLabel>(window_, "Label3")->palette().color(QPalette::WindowText), QColor(0, 0, 192));
            QCOMPARE(named<QLabel>(window_, "lblEnlarge")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        };
        ownColours();
        const QPalette light = QApplication::palette();
        for (const QPalette& palette : {light, darkPalette()}) {
            QApplication::setPalette(palette);
            QCoreApplication::processEvents();
            setEditorText(ui_.txtHTML, QStringLiteral("<!DOCTYPE html><p class=\"a\" id=b>&amp; x<!-- c --></p>"));
            window_->selectTarget(Target::Python);
            const QString paletteName = palette == light ? "light" : "dark";
            for (const QLabel* label : window_->findChildren<QLabel*>()) {
                const QWidget* under = label->parentWidget();
                const double contrast = wcagContrast(label->palette().color(QPalette::WindowText),
                                                     under->palette().color(under->backgroundRole()));
                QVERIFY2(contrast >= 4.5, qPrintable(QStringLiteral("%1 %2: %3").arg(paletteName, label->objectName()).arg(contrast)));
            }
            for (const QPlainTextEdit* box : {static_cast<QPlainTextEdit*>(ui_.txtHTML), static_cast<QPlainTextEdit*>(ui_.txtPHP)}) {
                const QColor base = box->palette().color(QPalette::Base);
                QVERIFY(wcagContrast(box->palette().color(QPalette::Text), base) >= 4.5);
                const QList<QColor> colours = coloursIn(box);
                QVERIFY(colours.size() > 3);
                for (const QColor& colour : colours)
                    QVERIFY2(wcagContrast(colour, base) >= 4.5, qPrintable(QStringLiteral("%1 %2 on %3").arg(paletteName, colour.name(), base.name())));
            }
        }
        QApplication::setPalette(light);
        QCoreApplication::processEvents();
        ownColours();
    }

    // In Script to HTML mode the input is a script: its caption, link, menu
    // item and dialog say so; an empty one is said to hold no script. The
    // output caption and the save dialog follow what came out: HTML from
    // this program's own script, a PHP or ASP template, saved with the
    // page's own extension, from any other page. The language it reads can
    // be chosen there only: an ASP page whose XML prologue starts with "<?"
    // reads as ASP once ASP is chosen (Response.Write prints its argument).
    void scriptToHtml()
    {
        QVERIFY(QDir::setCurrent(dir_->path()));
        QMenu* language = named<QMenu>(window_, "mnuScriptLanguage");
        QVERIFY(!language->isEnabled());
        const auto inputNamed = [this](const QString& caption, const QString& open) {
            QCOMPARE(named<QLabel>(window_, "Label1")->text(), caption + ":");
            QCOMPARE(ui_.txtHTML->accessibleName(), caption);
            QCOMPARE(named<QLabel>(window_, "lblRefresh")->text(), open);
        };
        item("mnuToHTML")->trigger();
        inputNamed(QStringLiteral("Script"), QStringLiteral("Open Script File"));
        item("mnuOpen")->trigger();
        QCOMPARE(requests_.value(0).title, QStringLiteral("Open Script File"));
        QVERIFY(!item("mnuClassicEscaping")->isEnabled());
        ui_.cmdConvert->click();
        expectMessage(MessageIcon::Exclamation, {"There is no script to convert."});
        const struct {
            QString script, caption, file, filter;
        } cases[] = {
            {scriptOf(Target::Perl, QStringLiteral("<p>x</p>")), "HTML", "script.html", "HTML files (*.html *.htm)"},
            {"<?php\r\n$a = 1;\r\necho \"<p>$a</p>\";\r\n", "PHP Template", "script.php", "PHP Templates (*.php)"},
            {"<%\r\nDim a\r\nResponse.Write \"<p>\" & a & \"</p>\"\r\n%>", "ASP Template", "script.asp",
             "ASP Templates (*.asp)"},
        };
        for (const auto& [script, caption, file, filter] : cases) {
            requests_.clear();
            convert(script);
            QCOMPARE(ui_.lblConvertto->text(), caption);
            QCOMPARE(ui_.txtPHP->accessibleName(), caption);
            ui_.cmdSaveScript->click();
            QCOMPARE(requests_.value(0).path, path(file));
            QCOMPARE(requests_.value(0).filters.value(0), filter);
            ui_.mnuCopy->click();
            expectMessage(MessageIcon::Information, {caption + " has been copied to the clipboard."});
        }
        QVERIFY(language->isEnabled() && item("mnuLanguageAutomatic")->isChecked());
        setEditorText(ui_.txtHTML, QStringLiteral("<?xml version=\"1.0\"?>\r\n<% Response.Write(\"<p>a</p>\") %>"));
        item("mnuLanguage_asp")->trigger();
        QCOMPARE(window_->outputText(), QStringLiteral("<?xml version=\"1.0\"?>\r\n<p>a</p>"));
        item("mnuToASP")->trigger();
        inputNamed(QStringLiteral("HTML Code"), QStringLiteral("Open HTML File"));
    }

    // An unreadable script: the message gives the place, the caret selects
    // the character there (a column counts characters, the emoji one), and
    // the output stays, marked out of date, neither copied nor saved until
    // the next good conversion.
    void scriptToHtmlErrorSelectsItsPlace()
    {
        item("mnuToHTML")->trigger();
        // All the page prints: a template with no code left, plain HTML.
        convert(QStringLiteral("<?php\r\necho \"<p>ok</p>\";\r\n"));
        const QString good = window_->outputText();
        const QString line = QStringLiteral("echo \"\U0001F600\u00E9\"; echo \"x");
        convert(QStringLiteral("<?php\r\n") + line);
        expectMessage(MessageIcon::Exclamation,
                      {"The script cannot be read back into HTML.", "Line 2, column 17: unterminated string."});
        const QTextCursor caret = ui_.txtHTML->textCursor();
        const qsizetype column17 = QString::fromUcs4(reinterpret_cast<const char32_t*>(line.toUcs4().constData()), 16).size();
        QCOMPARE(caret.selectionStart() - caret.block().position(), column17);
        QCOMPARE(caret.selectedText(), QStringLiteral("\""));
        QCOMPARE(caret.blockNumber(), 1);
        QCOMPARE(QApplication::focusWidget(), ui_.txtHTML);
        QCOMPARE(window_->outputText(), good);
        QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("HTML (out of date)"));
        QLabel* status = named<QLabel>(window_, "Label3");
        QVERIFY(status->text().contains(QStringLiteral("Line 2, column 17")));
        QVERIFY(!ui_.mnuCopy->isEnabled() && !ui_.cmdSaveScript->isEnabled() && !item("mnuSavePHPScript")->isEnabled());
        QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
        window_->copyScript();  // refused even when asked for other than by its disabled button
        window_->saveScript();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
        QVERIFY(requests_.isEmpty() && messages_.isEmpty());
        convert(QStringLiteral("<?php\r\necho \"<p>again</p>\";\r\n"));
        QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("HTML"));
        QVERIFY(ui_.mnuCopy->isEnabled() && ui_.cmdSaveScript->isEnabled());
        QVERIFY(!status->text().contains(QStringLiteral("Line")));
    }

    // What the user pastes reaches the script and the clipboard as it is; any
    // line break becomes a CR LF, U+FDD0 and U+FDD1 become U+FFFD.
    void pastedCharacters()
    {
        const QString kept = QStringLiteral("a\u00A0b\u2028c\t \U0001F600\r\n\r\n\uFFFE\uFFFF\uFDEF") + QChar(0);
        QGuiApplication::clipboard()->setText(kept + QStringLiteral("a\nb\rc\u2029d\na\uFDD0b\uFDD1c"));
        ui_.txtHTML->paste();
        const QString input = kept + QStringLiteral("a\r\nb\r\nc\r\nd\r\na\uFFFDb\uFFFDc");
        QCOMPARE(window_->inputText(), input);
        ui_.cmdConvert->click();
        ui_.mnuCopy->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), scriptOf(Target::Php, input));
        expectMessage(MessageIcon::Information, {"PHP script has been copied to the clipboard."});
    }

    // Copy as Literal puts the input on the clipboard as one string of the
    // chosen language, each line break as its script prints it (written here
    // as the JSON and VBScript references have strings); Script to HTML
    // reads a bare literal back, its line breaks those of the window.
    void literals()
    {
        setEditorText(ui_.txtHTML, QStringLiteral("a \"b\"\r\n</p>"));
        auto* copyLiteral = named<QPushButton>(window_, "cmdCopyLiteral");
        const QList<std::pair<const char*, QString>> cases{
            {"mnuToJSON", QStringLiteral("\"a \\\"b\\\"\\n<\\/p>\"")},
            {"mnuToASP", QStringLiteral("\"a \"\"b\"\"\" & vbCrLf & \"</p>\"")}};
        for (const auto& [mode, literal] : cases) {
            item(mode)->trigger();
            copyLiteral->click();
            QCOMPARE(QGuiApplication::clipboard()->text(), literal);
            expectMessage(MessageIcon::Information, {"The string literal has been copied to the clipboard."});
        }
        item("mnuToHTML")->trigger();
        messages_.clear();  // the text is no script
        QVERIFY(!copyLiteral->isEnabled());
        const QList<std::pair<QString, QString>> back{
            {QStringLiteral("  \"a\\n\" +\r\n\"b\\t\"\r\n"), QStringLiteral("a\r\nb\t")},
            {QStringLiteral("<<<'HTML'\r\nx $y\r\n\r\nHTML"), QStringLiteral("x $y\r\n")},
            {QStringLiteral("\"C:\\dir \"\"q\"\"\" & vbCrLf & \"\""), QStringLiteral("C:\\dir \"q\"\r\n")}};
        for (const auto& [literal, text] : back) {
            convert(literal);
            QCOMPARE(window_->outputText(), text);
        }
        convert(QStringLiteral("\r\n \"a"));
        expectMessage(MessageIcon::Exclamation,
                      {"The script cannot be read back into HTML.", "Line 2, column 4: the literal ends before its text does."});
    }

    // The listing goes straight after whatever the output holds, each code
    // after one space. Up to the limit it runs; one character more (a line
    // break counts two) gives a warning naming both lengths.
    void characterListing()
    {
        convert(QStringLiteral("<p>\r\n\u20AC"));
        const QString script = window_->outputText();
        QTest::mouseClick(ui_.Command1, Qt::LeftButton, {}, QPoint(5, 5));
        ui_.Command1->click();
        QCOMPARE(window_->outputText(), script + QStringLiteral(" 60 112 62 13 10 128 60 112 62 13 10 128"));

        const qsizetype limit = frm_Main::kLongestListedInput;
        setEditorText(ui_.txtHTML, QString(limit - 2, QLatin1Char('x')) + QStringLiteral("\r\n"));
        setEditorText(ui_.txtPHP, QString());
        ui_.Command1->click();
        QCOMPARE(window_->outputText().size(), 4 * (limit - 2) + 6);  // " 120" per x, " 13 10"
        QVERIFY(messages_.isEmpty());
        setEditorText(ui_.txtHTML, QString(limit - 3, QLatin1Char('x')) + QStringLiteral("\r\n\r\n"));
        setEditorText(ui_.txtPHP, QStringLiteral("kept"));
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ui_.Command1->click();
        QLocale::setDefault(before);
        QCOMPARE(window_->outputText(), QStringLiteral("kept"));
        expectMessage(MessageIcon::Exclamation, {"The character listing takes at most 500.000 characters; "
                                                 "the input holds 500.001."});
    }

    // In a text box Enter starts a line (no default button), Ctrl+Tab types
    // a TAB, Escape does nothing, Ctrl+X cuts (it does not exit).
    // While the focused box holds a line longer than the limit, the caret
    // stands still and the text is not shaped.
    void keys()
    {
        CodeTextBox* const box = ui_.txtHTML;
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("a"));
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClicks(box, QStringLiteral("b"));
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(window_->inputText(), QStringLiteral("a\r\n\tb"));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(window_->isVisible());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("a\n\tb"));

        setEditorText(box, QStringLiteral("<p>\r\n") + QString(CodeTextBox::kLongestBlinkingLine, 'x'));
        const auto longLineMode = [&](bool on) {
            return CodeTextBox::caretBlinks() != on && (box->font().styleStrategy() == QFont::PreferNoShaping) == on;
        };
        QVERIFY(longLineMode(false));
        box->moveCursor(QTextCursor::End);
        QTest::keyClicks(box, QStringLiteral("y"));
        QVERIFY(longLineMode(true));
        QTest::keyClick(box, Qt::Key_Backspace);
        QVERIFY(longLineMode(false));
    }

    // F1 opens Quick Help, which covers every mode of the Conversion menu,
    // files, the viewer, the character codes button and the keys.
    void quickHelp()
    {
        QTest::keyClick(ui_.txtHTML, Qt::Key_F1);
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_[0].title, QStringLiteral("Quick Help"));
        QCOMPARE(messages_[0].icon, MessageIcon::Information);
        const QString help = messages_.takeFirst().prompt;
        QVERIFY(help.startsWith(QStringLiteral("Quick Help\r\n--------------\r\n")));
        QVERIFY(help.endsWith(QStringLiteral("please mail me at tagora@example.com")));
        QVERIFY(!help.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
        QStringList topics{"Open HTML File", "drop", "Save Script", "Copy Script", "Enlarge", "Windows-1252",
                           "Undo Clear", "Ctrl+Tab", "F1", "Ctrl+Q"};
        const QMenu* conversion = named<QMenu>(window_, "mnuConversion");
        for (QAction* each : conversion->actions()) {
            if (!each->isSeparator())
                topics << each->text().remove(QLatin1Char('&'));
        }
        for (const QString& topic : topics)
            QVERIFY2(help.contains(topic), qPrintable(topic));
    }

    // Each access key belongs to one control: among the menu bar's menus and
    // the window's buttons together (four menus, six buttons), and among the
    // items of each menu.
    void accessKeysAreUnique()
    {
        const auto expectUnique = [](const QStringList& captions) {
            QMap<QKeySequence, QString> owners;
            for (const QString& caption : captions) {
                const QKeySequence key = QKeySequence::mnemonic(caption);
                QVERIFY2(key.isEmpty() || !owners.contains(key), qPrintable(owners.value(key) + " and " + caption));
                owners[key] = caption;
            }
        };
        QStringList windowCaptions;
        for (QAction* menu : window_->menuBar()->actions())
            windowCaptions << menu->text();
        for (QPushButton* button : window_->centralWidget()->findChildren<QPushButton*>())
            windowCaptions << button->text();
        QCOMPARE(windowCaptions.size(), 10);
        expectUnique(windowCaptions);
        for (QMenu* menu : window_->findChildren<QMenu*>()) {
            QStringList items;
            for (QAction* each : menu->actions())
                items << each->text();
            expectUnique(items);
        }
    }

    // Copy Script, Save Script and its menu item are enabled only while there
    // is a script; Ctrl+S saves only then. Clear empties both boxes; Edit >
    // Undo Clear brings both back, and Ctrl+Z in the HTML box brings its text
    // back.
    void copyAndSaveNeedAnOutputAndClearCanBeUndone()
    {
        const auto usable = [this](bool expected) {
            QCOMPARE(ui_.mnuCopy->isEnabled(), expected);
            QCOMPARE(ui_.cmdSaveScript->isEnabled(), expected);
            QCOMPARE(item("mnuSavePHPScript")->isEnabled(), expected);
            QTest::keyClick(ui_.txtPHP, Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(requests_.size(), expected ? 1 : 0);
            requests_.clear();
        };
        QAction* undoClear = item("mnuUndoClear");
        usable(false);
        QVERIFY(!undoClear->isEnabled());
        QTest::keyClicks(ui_.txtPHP, QStringLiteral("x"));
        usable(true);
        convert(kSample);
        const QString script = window_->outputText();
        ui_.cmdClear->click();
        usable(false);
        undoClear->trigger();
        QCOMPARE(window_->inputText(), kSample);
        QCOMPARE(window_->outputText(), script);
        usable(true);
        QVERIFY(!undoClear->isEnabled());
        ui_.cmdClear->click();
        QTest::keyClick(ui_.txtHTML, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window_->inputText(), kSample);
    }

    // On at the first start, and remembered: the output follows the input
    // after a pause in typing, never before; emptying the input empties the
    // output without a message. Up to the limit it converts; above it the
    // output stays, marked out of date until Convert. Turned off, typing
    // converts nothing.
    void convertsAsYouType()
    {
        rememberChoices({});
        reopen();
        QAction* asYouType = item("mnuConvertAsYouType");
        QVERIFY(asYouType->isChecked());
        ui_.txtHTML->setFocus();
        QTest::keyClicks(ui_.txtHTML, QStringLiteral("<p>"));
        QCOMPARE(window_->outputText(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(window_->outputText(), scriptOf(Target::Php, QStringLiteral("<p>")), 3000);
        QTest::keyClicks(ui_.txtHTML, QStringLiteral("x"));
        QTest::qWait(frm_Main::kTypingPauseMs * 2 / 3);
        QTest::keyClicks(ui_.txtHTML, QStringLiteral("y"));
        QTest::qWait(frm_Main::kTypingPauseMs * 2 / 3);  // a pause since "x", but not since "y"
        QCOMPARE(window_->outputText(), scriptOf(Target::Php, QStringLiteral("<p>")));
        QTRY_COMPARE_WITH_TIMEOUT(window_->outputText(), scriptOf(Target::Php, QStringLiteral("<p>xy")), 3000);
        ui_.txtHTML->selectAll();
        QTest::keyClick(ui_.txtHTML, Qt::Key_Backspace);
        QTRY_COMPARE_WITH_TIMEOUT(window_->outputText(), QString(), 3000);

        const QString longest(frm_Main::kLongestInputConvertedAsYouType, QLatin1Char('x'));
        setEditorText(ui_.txtHTML, longest);
        QTRY_COMPARE_WITH_TIMEOUT(window_->outputText(), scriptOf(Target::Php, longest), 5000);
        const QString tooLong = longest + QLatin1Char('x');
        setEditorText(ui_.txtHTML, tooLong);
        QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("PHP Script (out of date)"));
        QVERIFY(!ui_.mnuCopy->isEnabled());
        QTest::qWait(frm_Main::kTypingPauseMs * 2);
        QCOMPARE(window_->outputText(), scriptOf(Target::Php, longest));
        ui_.cmdConvert->click();
        QCOMPARE(ui_.lblConvertto->text(), QStringLiteral("PHP Script:"));
        QCOMPARE(window_->outputText(), scriptOf(Target::Php, tooLong));
        QVERIFY(ui_.mnuCopy->isEnabled());

        asYouType->trigger();
        QVERIFY(!rememberedChoices().convertAsYouType);
        reopen();
        QVERIFY(!item("mnuConvertAsYouType")->isChecked());
        QTest::keyClicks(ui_.txtHTML, QStringLiteral("<p>"));
        QTest::qWait(frm_Main::kTypingPauseMs * 2);
        QCOMPARE(window_->outputText(), QString());
    }

    // The stored size is the default and the smallest. The room added goes to
    // the two boxes, all the width and half the height each; the output's
    // caption line moves down with its box; the link at the right of the
    // input's caption line follows the box's right edge; the buttons, the line
    // and the status strip keep their places against the bottom right corner.
    void resizes()
    {
        QWidget* client = window_->centralWidget();
        const QSize smallest(px(9435), px(8415));
        QCOMPARE(client->size(), smallest);
        const struct { const char* name; int left, top, right, bottom; } moves[] = {  // of each edge
            {"txtHTML", 0, 0, 201, 50},         {"txtPHP", 0, 50, 201, 101},        {"lblRefresh", 201, 0, 201, 0},
            {"lblConvertto", 0, 50, 0, 50},     {"lblEnlarge", 0, 50, 0, 50},       {"cmdConvert", 201, 101, 201, 101},
            {"cmdSaveScript", 201, 101, 201, 101}, {"Command1", 201, 101, 201, 101}, {"Picture1", 0, 101, 201, 101},
            {"Line1", 0, 101, 201, 101}};
        QList<QRect> before;
        for (const auto& move : moves)
            before << named<QWidget>(window_, move.name)->geometry();
        for (const QSize size : {window_->size() + QSize(201, 101), QSize(100, 100)}) {
            window_->resize(size);
            const bool larger = size.width() > 100;
            QTRY_COMPARE(client->size(), smallest + (larger ? QSize(201, 101) : QSize(0, 0)));
            for (qsizetype i = 0; i < before.size(); ++i) {
                const auto& [name, left, top, right, bottom] = moves[i];
                QCOMPARE(named<QWidget>(window_, name)->geometry(),
                         larger ? before[i].adjusted(left, top, right, bottom) : before[i]);
            }
        }
    }

    // At the next start, once the splash has gone, size, place and maximized
    // state come back, and the file named on the command line opens.
    void nextStart()
    {
        write(path("start.html"), "<h1>start</h1>\n");
        const QRect placed(QPoint(40, 30), window_->size() + QSize(120, 80));
        window_->setGeometry(placed);
        QTRY_COMPARE(window_->geometry(), placed);
        window_->close();
        {
            frm_Main next;
            QString duringSplash = QStringLiteral("(no splash)");
            QTimer::singleShot(0, [&] {
                if (qobject_cast<frm_Splash*>(QApplication::activeModalWidget()))
                    duringSplash = next.inputText() + (next.isVisible() ? "(shown)" : "");
            });
            next.start(path("start.html"));
            QCOMPARE(duringSplash, QString());
            QVERIFY(next.isVisible() && !QApplication::activeModalWidget());
            QCOMPARE(next.inputText(), QStringLiteral("<h1>start</h1>\r\n"));
            QCOMPARE(next.geometry(), placed);
            QVERIFY(!next.isMaximized());
            next.showMaximized();
            QTRY_VERIFY(next.isMaximized());
            next.close();
        }
        frm_Main maximized;
        maximized.start();
        QVERIFY(maximized.isMaximized());
        QVERIFY(maximized.centralWidget()->width() > px(9435));
    }

    // --help, --version and a wrong option need no display: over SSH there
    // is none. A wrong option is a usage error, as in tagora-convert; Qt's
    // own options still reach Qt (the offscreen platform needs no display).
    void helpAndVersionWithoutDisplay()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        const struct { QStringList arguments; int exitCode; QByteArray output; } cases[] = {
            {{"--version"}, 0, "Tagora Converter 1.0.0"}, {{"-v"}, 0, "Tagora Converter"}, {{"--help"}, 0, "Usage:"},
            {{"--bogus"}, 2, "Unknown option 'bogus'"}, {{"-platform", "offscreen", "--version"}, 0, "Tagora Converter"}};
        for (const auto& [arguments, exitCode, output] : cases) {
            const Finished finished = run(TAGORA_CONVERTER_PATH, arguments, environment);
            QCOMPARE(finished.exitCode, exitCode);
            QVERIFY2((exitCode == 0 ? finished.output : finished.errors).contains(output), qPrintable(arguments.join(' ')));
        }
    }

    // Only a left press and release on a link clicks it; so do Enter, the
    // keypad's Enter and Space on a focused link, once each, and no other key.
    // A link with the keyboard focus draws a frame.
    void links()
    {
        for (LinkLabel* link : window_->centralWidget()->findChildren<LinkLabel*>()) {
            QObject::disconnect(link, nullptr, window_, nullptr);  // no viewer, no dialog
            QSignalSpy clicks(link, &LinkLabel::clicked);
            QTest::mouseClick(link, Qt::RightButton, {}, QPoint(2, 2));
            QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(2, 2));  // release only
            QTest::mousePress(link, Qt::LeftButton, {}, QPoint(2, 2));
            QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, -5));  // released off it
            QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, 2));
            QCOMPARE(clicks.size(), 1);
            ui_.txtHTML->setFocus();
            const QImage unfocused = link->grab().toImage();
            while (QApplication::focusWidget() != link)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(link->grab().toImage() != unfocused, qPrintable(link->objectName()));
            QTest::keyClick(link, Qt::Key_A);
            QTest::keyClick(link, Qt::Key_Escape);
            QTest::keyClick(link, Qt::Key_Space, Qt::ShiftModifier);
            QTest::keyClick(link, Qt::Key_Return, Qt::ControlModifier);
            QCOMPARE(clicks.size(), 1);
            QTest::keyClick(link, Qt::Key_Return);
            QTest::keyClick(link, Qt::Key_Enter, Qt::KeypadModifier);
            QTest::keyClick(link, Qt::Key_Space);
            QCOMPARE(clicks.size(), 4);
        }
    }

    // Tab goes round every control that takes the focus (two boxes, three
    // links, six buttons), in the order they are read: top to bottom, then
    // left to right; Shift+Tab goes back.
    void tabVisitsEveryControlInReadingOrder()
    {
        setEditorText(ui_.txtPHP, QStringLiteral("a script"));  // Save Script enabled
        QList<QWidget*> expected;
        for (QWidget* widget : window_->centralWidget()->findChildren<QWidget*>()) {
            if (widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus))
                expected << widget;
        }
        const auto place = [this](QWidget* w) { return w->mapTo(window_->centralWidget(), QPoint(0, 0)); };
        std::sort(expected.begin(), expected.end(), [&](QWidget* a, QWidget* b) {
            return std::pair(place(a).y(), place(a).x()) < std::pair(place(b).y(), place(b).x());
        });
        std::rotate(expected.begin(), std::find(expected.begin(), expected.end(), ui_.txtHTML), expected.end());
        QCOMPARE(expected.size(), 11);
        QList<QWidget*> visited, back;
        ui_.txtHTML->setFocus();
        for (qsizetype i = 0; i < expected.size(); ++i) {
            visited << QApplication::focusWidget();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            back.prepend(QApplication::focusWidget());
        }
        QCOMPARE(visited, expected);
        QCOMPARE(back, expected);
    }

    // Each Enlarge link shows a copy of its box: what the user types there
    // stays there. About opens over the main window by its shortcut.
    void windowsItOpens()
    {
        QWidget* shownOver = nullptr;
        whenModal<frm_About>([&](frm_About* about) {
            shownOver = about->parentWidget();
            QTest::keyClick(about, Qt::Key_Escape);
        });
        QTest::keyClick(ui_.txtHTML, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(shownOver, window_);
        QVERIFY(!QApplication::activeModalWidget());
        setEditorText(ui_.txtHTML, QStringLiteral("<b>\"x\"</b>\r\n\ty\u00A0\u2028"));
        window_->convert();
        const QString input = window_->inputText(), output = window_->outputText();
        for (const char* name : {"lblEnlarge", "lblEnlarge1"}) {
            QString shown;
            whenModal<frm_Notepad>([&](frm_Notepad* viewer) {
                shown = editorText(named<CodeTextBox>(viewer, "txtHelp"));
                QTest::keyClicks(named<CodeTextBox>(viewer, "txtHelp"), QStringLiteral("typed in the viewer"));
                named<QAction>(viewer, "mnuExit1")->trigger();
            });
            QTest::mouseClick(named<QLabel>(window_, name), Qt::LeftButton);
            QCOMPARE(shown, name == QByteArrayView("lblEnlarge") ? output : input);
            QCOMPARE(window_->inputText() + window_->outputText(), input + output);
            QVERIFY(window_->findChildren<frm_Notepad*>().isEmpty());
        }
    }

    // Exit, Ctrl+Q in a text box, closes the window at once, without a
    // question, and the program's event loop ends.
    void closingTheWindowEndsTheProgram()
    {
        setEditorText(ui_.txtHTML, QStringLiteral("typed, never saved"));
        QTimer::singleShot(0, [this] { QTest::keyClick(ui_.txtHTML, Qt::Key_Q, Qt::ControlModifier); });
        QTimer guard;
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        guard.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window_->isVisible());
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("notice");  // a part of it; empty: no notice
        const auto row = [](const char* name, const QByteArray& bytes, const QString& text, const QString& notice = {}) {
            QTest::newRow(name) << bytes << text << notice;
        };
        // A page of the declaration, "<p>" and the body.
        const auto declared = [](const char* name, const QByteArray& meta, const QByteArray& body, const QString& text,
                                 const QString& notice = {}) {
            QTest::newRow(name) << meta + "<p>" + body << QString::fromLatin1(meta) + "<p>" + text << notice;
        };
        const QString guessed = QStringLiteral("read as Windows-1252");
        row("UTF-8 mark", "\xef\xbb\xbf" "a\xc3\xa9 \xf0\x9f\x98\x80", "aé 😀");
        row("UTF-16LE mark", QByteArray("\xff\xfe" "a\x00\xe9\x00", 6), "aé");
        row("UTF-16BE mark", QByteArray("\xfe\xff\x00" "a\x00\xe9\xd8\x3d\xde\x00", 10), "aé😀");
        row("UTF-32LE mark, read as UTF-16LE as browsers do", QByteArray("\xff\xfe\x00\x00" "a\x00\x00\x00", 8),
            QString(QChar(0)) + "a" + QChar(0));
        row("UTF-8 mark, bad bytes", "\xef\xbb\xbf" "a\xe2\x82x\xff", "a\uFFFD\uFFFDx\uFFFD", "not valid UTF-8");
        row("UTF-16LE mark, unpaired surrogates, odd byte", QByteArray("\xff\xfe" "a\x00\x00\xd8" "b\x00\x00\xdc" "c", 11),
            "a\uFFFDb\uFFFD\uFFFD", "not valid UTF-16LE");
        row("UTF-16BE mark, odd byte", QByteArray("\xfe\xff\0a\0", 5), "a\uFFFD", "not valid UTF-16BE");
        row("UTF-16LE without a mark", QByteArray("<\0p\0>\0\xe9\0", 8), "<p>é", "no byte-order mark");
        row("UTF-16BE without a mark", QByteArray("\0<\0p\0>\x04\x1f", 8), "<p>П", "UTF-16BE");
        row("NUL bytes in UTF-8, not UTF-16", QByteArray("<p>\0\0</p>", 9), QStringLiteral("<p>") + QChar(0) + QChar(0) + "</p>");
        row("UTF-8 beats meta", "<meta charset=\"iso-8859-2\">\xc4\x85", "<meta charset=\"iso-8859-2\">ą");
        row("Windows-1252", "caf\xe9 \x80 \x93q\x94 \x81\x9f\xfe", "café € “q” \u0081Ÿþ", "names no character set");
        declared("meta http-equiv ISO-8859-2",
                 "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-2\">", "\xb1\xbf", "ąż");
        declared("meta content without http-equiv", "<meta content=\"text/html; charset=koi8-r\">", "\xf0", "ð", guessed);
        declared("meta in a comment", "<!-- <meta charset=koi8-r> -->", "\xf0", "ð", guessed);
        row("meta past 1024 bytes", QByteArray(1024, ' ') + "<meta charset=\"iso-8859-2\">\xb1",
            QString(1024, ' ') + "<meta charset=\"iso-8859-2\">±", guessed);
        declared("meta KOI8-R, unquoted", "<META CHARSET=KOI8-R>", "\xf0\xd2\xc9\xd7\xc5\xd4", "Привет");
        declared("meta cp1251", "<meta charset=' cp1251 '>", "\xcf\xf0\xe8\xe2\xe5\xf2", "Привет");
        declared("meta Shift_JIS, Windows additions", "<meta charset=sjis>", "\x93\xfa\x96\x7b\x8c\xea\x87\x40", "日本語①");
        declared("meta GB2312, read as GB18030", "<meta charset=gb2312>", "\xd6\xd0\xce\xc4\x81\x30\x81\x30", "中文\u0080");
        declared("meta EUC-KR, Windows additions", "<meta charset=ks_c_5601-1987>", "\xc7\xd1\xb1\xb9\x8c\x63", "한국똠");
        declared("meta x-user-defined means Windows-1252", "<meta charset=x-user-defined>", "caf\xe9", "café");
        for (const char* label : {"unicode", "csUnicode", "iso-10646-ucs-2", "utf-16"}) {
            const QByteArray meta = "<meta charset=\"" + QByteArray(label) + "\">";
            declared(label, meta, "caf\xe9", "café", "take for UTF-8");
            declared(QByteArray(label + QByteArrayLiteral(", ASCII page")), meta, "x", "x");
        }
        declared("meta cp037 (EBCDIC)", "<meta charset=cp037>", "caf\xe9", "café", "do not know");
        declared("meta utf-32", "<meta charset=utf-32>", "caf\xe9", "café", "do not know");
        declared("meta hz-gb-2312", "<meta charset=hz-gb-2312>", "caf\xe9", "café", "refuse");
        row("line breaks as pasted; U+2029, U+FDD0, U+FDD1 too; NUL, TAB, U+2028 kept",
            QByteArray("a\r\nb\nc\rd\r\n\n\xe2\x80\xa9" "b\xef\xb7\x90\xef\xb7\x91\x00\t\xe2\x80\xa8", 26),
            QStringLiteral("a\r\nb\r\nc\r\nd\r\n\r\n\r\nb\uFFFD\uFFFD") + QChar(0) + QStringLiteral("\t\u2028"));
    }

    // The file replaces the input, the output stays; what was assumed or
    // replaced is told in an information box naming the file. tagora-convert
    // --encoding=auto reads the file into the same text, and writes a note
    // when the window tells something.
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QString, notice);
        write(path("page.html"), bytes);
        setEditorText(ui_.txtHTML, QStringLiteral("replaced"));
        setEditorText(ui_.txtPHP, QStringLiteral("kept"));
        window_->openFile(path("page.html"));
        QCOMPARE(window_->inputText(), text);
        QCOMPARE(window_->outputText(), QStringLiteral("kept"));
        if (!notice.isEmpty())
            expectMessage(MessageIcon::Information, {path("page.html"), notice});
        QVERIFY(messages_.isEmpty());

        const Finished convert = run(TAGORA_CONVERT_PATH, {QStringLiteral("--encoding=auto"), path("page.html")});
        QCOMPARE(QString::fromUtf8(convert.output), scriptOf(Target::Php, text));
        QCOMPARE(convert.exitCode, 0);
        QCOMPARE(convert.errors.isEmpty(), notice.isEmpty());
    }

    // A declared charset that Qt lacks (a Qt without ICU lacks them all) is
    // told, and the page read as Windows-1252.
    void charsetQtCannotRead()
    {
        DecodedText unavailable;
        unavailable.source = TextSource::GuessedWindows1252;
        unavailable.ignoredCharset = QStringLiteral("ISO-8859-16");
        unavailable.charsetUnavailable = true;
        QCOMPARE(readingNotice(unavailable, QStringLiteral("page.html")),
                 QStringLiteral("\"page.html\" is not UTF-8 and names ISO-8859-16, a character set this program "
                                "cannot read, so it was read as Windows-1252 (Western European). Check any "
                                "characters outside plain ASCII."));
    }

    // A warning names the file and the reason; the input keeps its text. The
    // window never waits on a file: a named pipe with no writer, a device or
    // a socket is refused at once, and no more than the limit is read; a file
    // of exactly the limit is read whole.
    void openErrors()
    {
        write(path("secret.html"), "<p>");
        QFile::setPermissions(path("secret.html"), QFileDevice::WriteOwner);
        QFile huge(path("huge.html"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(kLargestHtmlFile + 1));
        huge.close();
        const QByteArray pipe = QFile::encodeName(path("pipe.html"));
        QCOMPARE(mkfifo(pipe.constData(), 0600), 0);
        const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(path("socket.html")).constData(), sizeof address.sun_path);
        QCOMPARE(bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        alarm(10);  // should the window wait for a writer of the pipe, the alarm ends the test
        const QList<std::pair<QString, QString>> cases{
            {path("pipe.html"), "It is a named pipe (FIFO), not a file."}, {path("missing.html"), "No such file or directory"},
            {path("huge.html"), "larger than 64 MB"}, {"/dev/zero", "It is a device, not a file."},
            {path("socket.html"), "It is a socket, not a file."}, {dir_->path(), "It is a folder, not a file."},
            {path("secret.html"), "Permission denied"}};
        for (const auto& [name, reason] : cases) {
            if (name == path("secret.html") && geteuid() == 0)
                continue;  // the superuser reads every file
            setEditorText(ui_.txtHTML, QStringLiteral("kept input"));
            window_->openFile(name);
            QCOMPARE(window_->inputText(), QStringLiteral("kept input"));
            expectMessage(MessageIcon::Exclamation, {name, reason});
        }
        alarm(0);
        ::close(listening);
        QVERIFY(huge.open(QIODevice::ReadWrite) && huge.resize(kLargestHtmlFile) && huge.seek(kLargestHtmlFile - 4));
        QCOMPARE(huge.write("end!"), 4);
        huge.close();
        const ReadResult read = readHtmlFile(path("huge.html"));
        QVERIFY2(read.decoded, qPrintable(read.error));
        QCOMPARE(read.decoded->text.size(), kLargestHtmlFile);
        QVERIFY(read.decoded->text.endsWith(QStringLiteral("end!")));
    }

    // Menu, Ctrl+O and the link each ask, starting in the folder used last;
    // cancelling changes nothing. A name that is not UTF-8 opens from the
    // command line or the dialog (which pass it as Qt reads it) and when
    // dropped. A dropped file opens wherever it lands; dropped text is
    // still typed in.
    void openCommandsAndDrops()
    {
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("sub")));
        write(path("sub/a.htm"), "<p>a</p>");
        write(path("sub/b.htm"), "<p>b</p>");
        setEditorText(ui_.txtHTML, QStringLiteral("kept"));
        item("mnuOpen")->trigger();  // cancelled
        QCOMPARE(window_->inputText(), QStringLiteral("kept"));
        answer_ = path("sub/a.htm");
        QTest::keyClick(ui_.txtPHP, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(window_->inputText(), QStringLiteral("<p>a</p>"));
        answer_ = path("sub/b.htm");
        QTest::mouseClick(named<QLabel>(window_, "lblRefresh"), Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(window_->inputText(), QStringLiteral("<p>b</p>"));
        QCOMPARE(requests_.size(), 3);
        QCOMPARE(requests_[2].path, path("sub"));

        const QByteArray native = QFile::encodeName(path("sub")) + "/caf\xe9.htm";
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0 && ::write(fd, "<p>a</p>", 8) == 8);
        ::close(fd);
        write(path("sub/caf\u00e8.htm"), "another name");  // not read as the same
        window_->openFile(QFile::decodeName(native));
        QCOMPARE(window_->inputText(), QStringLiteral("<p>a</p>"));
        QMimeData file, text;
        file.setData(QStringLiteral("text/uri-list"), "file://" + native.toPercentEncoding("/") + "\r\n");
        text.setText(QStringLiteral("<b>\uFDD0</b>"));
        for (QWidget* target : {ui_.txtHTML->viewport(), ui_.txtPHP->viewport(), named<QWidget>(window_, "Label1")}) {
            setEditorText(ui_.txtHTML, QString());
            setEditorText(ui_.txtPHP, QStringLiteral("out"));
            drop(target, file);
            QCOMPARE(window_->inputText(), QStringLiteral("<p>a</p>"));
            QCOMPARE(window_->outputText(), QStringLiteral("out"));
        }
        ::unlink(native.constData());  // which QDir could not name
        drop(ui_.txtHTML->viewport(), text, QPoint(2, 2));
        QCOMPARE(window_->inputText(), QStringLiteral("<b>\uFFFD</b><p>a</p>"));
    }

    // The real dialogs, each found as the active modal widget: the open
    // dialog, then the notice about Windows-1252.
    void realDialogsAndNotice()
    {
        setFileDialogHook({});
        setMessageHook({});
        write(path("latin.html"), "<p>\xe9</p>");
        QString notice;
        whenModal<QFileDialog>([&](QFileDialog* dialog) {
            // Typed, as a user would: the dialog lists its folder lazily.
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(path("latin.html"));
            whenModal<QMessageBox>([&](QMessageBox* box) {
                notice = box->text();
                box->button(QMessageBox::Ok)->click();
            });
            static_cast<QDialog*>(dialog)->accept();
        });
        item("mnuOpen")->trigger();
        QVERIFY(notice.contains(QStringLiteral("Windows-1252")));
        QCOMPARE(window_->inputText(), QStringLiteral("<p>é</p>"));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void save_data()
    {
        QTest::addColumn<Target>("target");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("filter");
        QTest::newRow("PHP, nothing opened") << Target::Php << QString() << "script.php" << "PHP scripts (*.php)";
        QTest::newRow("Python, page opened") << Target::Python << "site/page.old.htm" << "site/page.old.py"
                                             << "Python scripts (*.py)";
    }

    // The dialog proposes the opened page's name with the script's extension
    // in the page's folder; the file holds the output text in UTF-8 without a
    // mark, with CR LF between lines, and replaces an older file whole.
    void save()
    {
        QFETCH(Target, target);
        QFETCH(QString, opened);
        QFETCH(QString, proposed);
        QFETCH(QString, filter);
        QVERIFY(QDir::setCurrent(dir_->path()));
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("site")));
        window_->selectTarget(target);
        if (!opened.isEmpty()) {
            write(path(opened), "caf\xc3\xa9\r\n\xf0\x9f\x98\x80\t\"x\"\n");
            window_->openFile(path(opened));
        } else {
            setEditorText(ui_.txtHTML, QStringLiteral("café\r\n😀\t\"x\"\r\n"));
        }
        ui_.cmdConvert->click();
        ui_.cmdSaveScript->click();
        QCOMPARE(requests_.value(0).path, path(proposed));
        QCOMPARE(requests_.value(0).filters.value(0), filter);

        write(path("saved"), "an older, longer file that is replaced whole");
        // A lone surrogate, which UTF-8 cannot hold, is saved as U+FFFD.
        setEditorText(ui_.txtPHP, window_->outputText() + QStringLiteral("\r\n\u20ac\u2029end") + QChar(0xD800));
        answer_ = path("saved");
        item("mnuSavePHPScript")->trigger();
        const QByteArray bytes = contents(path("saved"));
        QCOMPARE(bytes, scriptOf(target, QStringLiteral("café\r\n😀\t\"x\"\r\n")).toUtf8() + "\r\n\xe2\x82\xac\r\nend\xef\xbf\xbd");
    }

    // A warning names the file and the reason; an existing file stays byte
    // for byte, no temporary file is left, the window keeps its text.
    void saveFailures()
    {
        const QByteArray old = "<?php echo \"old\"; ?>";
        write(path("full.php"), old);
        write(path("readonly.php"), old);
        QFile::setPermissions(path("readonly.php"), QFileDevice::ReadOwner);
        convert(QString(4000, QLatin1Char('y')));
        const QString output = window_->outputText();
        const QStringList before = QDir(dir_->path()).entryList(QDir::AllEntries | QDir::Hidden);
        rlimit fileSize{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &fileSize), 0);
        std::signal(SIGXFSZ, SIG_DFL);  // what the window must not die of
        const QList<std::pair<QString, QString>> cases{
            {"gone/script.php", "No such file or directory"}, {"full.php", "File too large"}, {"readonly.php", "not writable"}};
        for (const auto& [name, reason] : cases) {
            if (name == QLatin1String("readonly.php") && geteuid() == 0)
                QSKIP("the superuser writes every file");
            messages_.clear();
            answer_ = path(name);
            // For full.php, writes beyond 1 KB fail as on a full disk.
            const rlimit limit{name == QLatin1String("full.php") ? rlim_t(1024) : fileSize.rlim_cur, fileSize.rlim_max};
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
            ui_.cmdSaveScript->click();
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &fileSize), 0);
            // The file first, then why; a path can hold the reason's words.
            const QString start = "The script could not be saved as \"" + QDir::toNativeSeparators(path(name)) + "\".\n\n";
            QVERIFY2(!messages_.isEmpty() && messages_[0].prompt.startsWith(start), qPrintable(messages_.value(0).prompt));
            expectMessage(MessageIcon::Exclamation, {start, reason});
            QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::Hidden), before);
            if (QFileInfo(path(name)).isFile())
                QCOMPARE(contents(path(name)), old);
            QCOMPARE(window_->outputText(), output);
        }
    }

    void templateSavedInItsEncoding_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("typed");     // added to the template before saving
        QTest::addColumn<bool>("yes");          // to saving in UTF-8
        QTest::addColumn<QStringList>("asked");  // parts of the question, if one
        QTest::addColumn<QByteArray>("saved");   // the file's bytes (Python's codecs, WHATWG's 0x81)
        const QByteArray asp = "<% Dim s : s = \"caf\xe9\" ' r\xe9sum\xe9\r\nResponse.Write \"<p>na\xefve \x80</p>\" & s %>";
        const QByteArray aspTemplate = "<% Dim s : s = \"caf\xe9\" ' r\xe9sum\xe9\r\n%><p>na\xefve \x80</p><%= s %>";
        const QByteArray aspInUtf8 = "<% Dim s : s = \"caf\xc3\xa9\" ' r\xc3\xa9sum\xc3\xa9\r\n%><p>na\xc3\xafve \xe2\x82\xac</p><%= s %>";
        const QStringList cannotHold{u"The template was read from a file in windows-1252, and is saved in it"_s,
                                     u"The character \"\u4e2d\" at line 3, column 4 cannot be written in windows-1252.\n\n"
                                     "In UTF-8, code may not mean what it meant in windows-1252:\nLine 1, column 16: a "
                                     "string in code holds characters beyond ASCII.\nLine 3, column 13: a string in code "
                                     "holds characters beyond ASCII.\n\nSave the template in UTF-8 instead?"_s};
        const QString typed = u"\r\n<b>\u4e2d</b><%= \"\u00e0\" %>"_s;
        QTest::newRow("ASP page in Windows-1252") << asp << QString() << false << QStringList() << aspTemplate;
        QTest::newRow("characters typed that Windows-1252 holds")
            << asp << u"\r\n\u0178\u0081"_s << false << QStringList() << aspTemplate + "\r\n\x9f\x81";
        QTest::newRow("a character it cannot hold, saved in UTF-8") << asp << typed << true << cannotHold
                                                                    << aspInUtf8 + "\r\n<b>\xe4\xb8\xad</b><%= \"\xc3\xa0\" %>";
        QTest::newRow("a character it cannot hold, not saved") << asp << typed << false << cannotHold << QByteArray();
        QTest::newRow("PHP in the KOI8-R it declares")
            << QByteArray("<meta charset=koi8-r><?php $s = \"\xf0\"; echo \"<p>\xf0\xd2</p>\", $s; ?>") << QString() << false
            << QStringList() << QByteArray("<meta charset=koi8-r><?php $s = \"\xf0\"; ?><p>\xf0\xd2</p><?= $s ?>");
        // What php -n prints for both: the escape's byte, as in the file.
        QTest::newRow("PHP in Windows-1252 with an escape that makes a byte")
            << QByteArray("<?php echo \"caf\\xe9 \xe9\", strlen(\"\xe9\"); ?>") << QString() << false << QStringList()
            << QByteArray("caf\xe9 \xe9<?= strlen(\"\xe9\") ?>");
        QTest::newRow("PHP that leaves no code, saved as HTML in its encoding")
            << QByteArray("<?php echo \"<p>caf\xe9</p>\"; ?>") << QString() << false << QStringList()
            << QByteArray("<p>caf\xe9</p>");
        QTest::newRow("UTF-8 stays UTF-8") << QByteArray("<% x = \"\xc3\xa9\" %>\xe4\xb8\xad") << QString() << false
                                           << QStringList() << QByteArray("<% x = \"\xc3\xa9\" %>\xe4\xb8\xad");
    }

    // A PHP or ASP template made from a file read in a legacy encoding is
    // saved in it; what it cannot hold is said, with where code would change
    // meaning in UTF-8, and UTF-8 offered instead; declined, nothing is written.
    void templateSavedInItsEncoding()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        QFETCH(bool, yes);
        QFETCH(QStringList, asked);
        QFETCH(QByteArray, saved);
        item("mnuToHTML")->trigger();
        write(path("page.asp"), file);
        window_->openFile(path("page.asp"));
        messages_.clear();  // the notice of how it was read
        ui_.cmdConvert->click();
        setEditorText(ui_.txtPHP, window_->outputText() + typed);
        yes_ = yes;
        answer_ = path("saved");
        write(answer_, "older");
        ui_.cmdSaveScript->click();
        QCOMPARE(questions_.size(), asked.isEmpty() ? 0 : 1);
        for (const QString& part : asked)
            QVERIFY2(questions_[0].prompt.contains(part), qPrintable(questions_[0].prompt));
        QCOMPARE(contents(answer_), saved.isNull() ? QByteArray("older") : saved);
        QCOMPARE(requests_.size(), saved.isNull() ? 0 : 1);
    }

    // The busy cursor shows while a command works and never over a message
    // box or a dialog.
    void busyCursorOnlyWhileWorking()
    {
        QStringList seen;
        const auto note = [&seen](const char* what) {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            seen << QLatin1String(what) + (cursor && cursor->shape() == Qt::WaitCursor ? " busy" : " idle");
        };
        setMessageHook([&](const ShownMessage&) { note("message"); });
        setFileDialogHook([&](const FileDialogRequest&) {
            note("dialog");
            return answer_;
        });
        connect(ui_.txtHTML, &QPlainTextEdit::textChanged, window_, [&] { note("input"); });
        connect(ui_.txtPHP, &QPlainTextEdit::textChanged, window_, [&] { note("output"); });
        connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, window_, [&] { note("clipboard"); });
        write(path("busy.html"), "\xe9");
        answer_ = path("busy.html");
        item("mnuOpen")->trigger();  // dialog, input, Windows-1252 notice
        ui_.Command1->click();       // output
        ui_.mnuCopy->click();        // clipboard, message
        answer_ = path("busy.php");
        ui_.cmdSaveScript->click();  // dialog
        QCOMPARE(seen, (QStringList{"dialog idle", "input busy", "message idle", "output busy",
                                    "clipboard busy", "message idle", "dialog idle"}));
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(QFileInfo(path("busy.php")).isFile());
    }

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    QAction* item(const char* name) const { return named<QAction>(window_, name); }
    void convert(const QString& input)
    {
        setEditorText(ui_.txtHTML, input);
        ui_.cmdConvert->click();
    }

    // One message box with the icon, titled "Tagora", whose text holds each part.
    void expectMessage(MessageIcon icon, const QStringList& parts)
    {
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_[0].icon, icon);
        QCOMPARE(messages_[0].title, QStringLiteral("Tagora"));
        if (parts.size() == 1)  // the whole prompt
            QCOMPARE(messages_[0].prompt, parts[0]);
        for (const QString& part : parts)
            QVERIFY2(messages_[0].prompt.contains(part), qPrintable(messages_[0].prompt));
        messages_.clear();
    }

    // A new window, as at the next start, with the choices remembered.
    void reopen()
    {
        delete window_;
        window_ = new frm_Main;
        ui_ = controlsOf(window_);
        window_->show();
    }

    frm_Main* window_ = nullptr;
    Controls ui_;
    std::unique_ptr<QTemporaryDir> dir_;
    QList<ShownMessage> messages_;
    QList<FileDialogRequest> requests_;
    QString answer_;
    QList<ShownMessage> questions_;
    bool yes_ = false;  // the answer to them
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
