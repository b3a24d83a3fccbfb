// What the main window's tests share: finding controls, running programs,
// dropping data, answering modal windows, reading colours, and a fixture
// that opens a window as at the first start, with message and file dialog
// hooks that record what the window asks.
#pragma once

#include "code_text_box.h"
#include "file_dialog.h"
#include "frm_About.h"
#include "frm_Main.h"
#include "frm_Notepad.h"
#include "frm_Splash.h"
#include "link_label.h"
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
#include <QComboBox>
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
#include <QSplitter>
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

Q_DECLARE_METATYPE(tagora::Target)

namespace main_window_test {

using namespace Qt::StringLiterals;
using namespace tagora;
using namespace tagora::runtime;

// A control of the window, found by its object name as tests and screen
// readers find it.
template <typename T = QAction> inline T* named(const QObject* window, const char* name)
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

inline Controls controlsOf(const QObject* w)
{
    return {named<CodeTextBox>(w, "txtHTML"),      named<CodeTextBox>(w, "txtPHP"),
            named<QPushButton>(w, "cmdConvert"),   named<QPushButton>(w, "cmdClear"),
            named<QPushButton>(w, "mnuCopy"),      named<QPushButton>(w, "cmdSaveScript"),
            named<QPushButton>(w, "Command1"),     named<QLabel>(w, "lblConvertto")};
}

inline QString scriptOf(Target target, const QString& html)
{
    return fromU16(*script(target, Escaping::Exact, toU16(html)));
}

inline const QString kSample = QStringLiteral("<p class=\"a\">x</p>\r\n\t<br>\r\n");

inline QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

inline void write(const QString& path, const QByteArray& bytes)
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

inline Finished run(const char* program, const QStringList& arguments,
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
inline void drop(QWidget* target, const QMimeData& data, QPoint pos = QPoint(10, 10))
{
    QDragEnterEvent enter(pos, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(pos, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &move);
    QDropEvent dropped(pos, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &dropped);
}

// Polls until a modal widget of the type is up, then runs the action on it.
template <typename Widget, typename Action> inline void whenModal(Action action)
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
inline QColor colourAt(const QPlainTextEdit* box, int line, int column)
{
    const QTextBlock block = box->document()->findBlockByNumber(line);
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        if (range.start <= column && column < range.start + range.length)
            return range.format.foreground().color();
    }
    return QColor();
}

inline QList<QColor> coloursIn(const QPlainTextEdit* box)
{
    QList<QColor> colours;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            colours << range.format.foreground().color();
    }
    return colours;
}

// WCAG 2's contrast ratio, from its definitions of relative luminance.
inline double wcagContrast(const QColor& a, const QColor& b)
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
inline QPalette darkPalette()
{
    const QColor window(45, 45, 48), text(230, 230, 230);
    QPalette dark(text, window, window, window, window, text, text, QColor(30, 30, 30), window);
    dark.setColor(QPalette::Link, QColor(86, 156, 214));
    dark.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    return dark;
}

class MainWindowFixture : public QObject {
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
        rememberRecentFiles({});
        rememberBoxArrangement({});
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

protected:
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

    // The status strip's text.
    QString status() const { return named<QLabel>(window_, "Label3")->text(); }

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

}  // namespace main_window_test
