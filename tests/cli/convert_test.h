// What the tests of tagora-convert share: running the program (or a bash
// script that runs it), reading what it wrote, the window's script and an
// interpreter's output as judges, and a folder of files for each test.
#pragma once

#include "script_writer/script_generator.h"
#include "reference.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <csignal>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using tagora::Escaping;
using tagora::Target;
inline constexpr auto kPhp = Target::Php;
inline constexpr auto kAsp = Target::Asp;

namespace cli_test {

struct Result { int exitCode = -1; QByteArray out, err; };

// The program starts with every signal at its default action, whatever the
// test inherited, so that none is ignored for it.
inline void defaultSignals()
{
    for (int signal = 1; signal < NSIG; ++signal)
        std::signal(signal, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

// What a test changes for a run of the program: a call made in the child
// before the program starts (another user, a limit) and the environment.
struct Conditions {
    std::function<void()> inChild;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

// A program built for coverage (TAGORA_COVERAGE) writes its counts where
// LLVM_PROFILE_FILE says when it ends, and says on its standard error when it
// cannot: runs in conditions of their own write them to a file of theirs
// (the same pattern in another folder), or nowhere.
inline constexpr auto kProfileFile = "LLVM_PROFILE_FILE";

inline QProcessEnvironment profileIn(const QString& folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (environment.contains(kProfileFile))
        environment.insert(kProfileFile, folder.isEmpty() ? u"/dev/null"_s
                                                          : folder + u'/' + QFileInfo(environment.value(kProfileFile)).fileName());
    return environment;
}

// The program, or a bash script run with the program as $0 and the
// arguments as $1...
inline Result runProgram(const QString& program, const QStringList& arguments, const QByteArray& input,
                  const QString& outputFile, const Conditions& conditions)
{
    QProcess process;
    process.setProcessEnvironment(conditions.environment);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.setChildProcessModifier([setUp = conditions.inChild] {
        defaultSignals();
        if (setUp)
            setUp();
    });
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

inline Result runConvert(const QStringList& arguments, const QByteArray& input = {}, const QString& outputFile = {},
                  const Conditions& conditions = {})
{
    return runProgram(QStringLiteral(TAGORA_CONVERT_PATH), arguments, input, outputFile, conditions);
}

inline Result runShell(const QString& script, const QStringList& arguments, const Conditions& conditions = {})
{
    return runProgram(u"bash"_s, QStringList{u"-c"_s, script, QStringLiteral(TAGORA_CONVERT_PATH)} + arguments, {},
                      {}, conditions);
}

inline QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Every entry under the folder: a link with its target, a file with its
// bytes.
inline QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        entries[entry.filePath()] = entry.isSymLink() ? "-> " + entry.symLinkTarget().toUtf8()
                                    : entry.isFile()  ? contents(entry.filePath())
                                                      : QByteArray("folder");
    }
    return entries;
}

// The window's script for the same text pasted into it: the input text
// (as the plain reference of the fuzz harnesses has it), then the window's
// generator.
inline QByteArray windowScript(Target language, Escaping escaping, const QByteArray& utf8)
{
    const std::u16string text = fuzz::decodeUtf8(fuzz::inputText(utf8.toStdString())).text;
    return QString::fromStdU16String(tagora::script(language, escaping, text).value_or(u"<no script>")).toUtf8();
}

// The script without its comment header: the lines after the first one
// that start with the comment prefix, and the empty line after them.
inline QByteArray withoutHeaderComment(const QByteArray& script, const QByteArray& prefix)
{
    QList<QByteArray> lines = script.split('\n');
    const qsizetype first = lines[0].startsWith(prefix) ? 0 : 1;
    qsizetype end = first;
    while (end < lines.size() && lines[end].startsWith(prefix))
        ++end;
    if (end > first && end < lines.size() && lines[end] == "\r")
        ++end;
    lines.remove(first, end - first);
    return lines.join('\n');
}

// Exactly size bytes of CR LF text that the input rules leave as it is.
inline QByteArray plainText(qsizetype size)
{
    const QByteArray line = "<p class=\"a\">$x \\ \t caf\xC3\xA9 %> \xE2\x80\x99</p>\r\n";
    QByteArray text = line.repeated(size / line.size() + 1);
    text.truncate(size);
    while (text.endsWith('\r') || (!text.isEmpty() && uchar(text.back()) >= 0x80))
        text.chop(1);  // no CR and no sequence cut off at the end
    return text.leftJustified(size, 'x');
}

// How a line comment starts in the target's language.
inline QByteArray commentPrefix(Target target)
{
    switch (target) {
    case Target::Perl:
    case Target::Python:
        return "# ";
    case Target::Asp:
        return "' ";
    case Target::Php:
    case Target::PhpNowdoc:
    case Target::Js:
    case Target::JsConcat:
    case Target::Json:
    case Target::Jsp:
        break;
    }
    return "// ";
}

// What the script prints, run by its interpreter; null for ASP and JSP.
// JSON.parse, unlike the program, takes no byte-order mark, and PHP prints
// one: the mark is left out of what they see.
inline QByteArray printedBy(Target target, QByteArray script)
{
    const QByteArray mark = "\xEF\xBB\xBF";
    QString program;
    QStringList arguments;
    const QString node = u"const s = require('fs').readFileSync(0, 'utf8').replace(/^\\uFEFF/, '');"
                         u"process.stdout.write(process.argv[1] == 'json' ? JSON.parse(s) : new Function(s + '\\nreturn html;')());"_s;
    switch (target) {
    case Target::Php:
    case Target::PhpNowdoc:
        program = u"php"_s, arguments = {u"-n"_s};
        break;
    case Target::Js:
    case Target::JsConcat:
    case Target::Json:
        program = u"node"_s, arguments = {u"-e"_s, node, target == Target::Json ? u"json"_s : u"js"_s};
        break;
    case Target::Perl:
        program = u"perl"_s;
        break;
    case Target::Python:
        program = u"python3"_s, arguments = {u"-"_s};
        break;
    case Target::Asp:
    case Target::Jsp:
        return {};
    }
    QProcess process;
    process.start(program, arguments);
    process.write(script);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return "<" + program.toUtf8() + " failed: " + process.readAllStandardError() + ">";
    QByteArray printed = process.readAllStandardOutput();
    return printed.startsWith(mark) ? printed.mid(mark.size()) : printed;
}

}  // namespace cli_test

namespace cli_test {

// A test's own folder of files, and the fixtures of the tests that write
// beside links and read-only files.
class ConvertTest : public QObject {
protected:
    // The program runs as "nobody" when the tests run as the superuser;
    // the counts of a coverage build go to a folder of its own.
    static Conditions asOrdinaryUser()
    {
        if (geteuid() != 0)
            return {};
        QString folder;
        const QString profileFile = qEnvironmentVariable(kProfileFile);
        if (!profileFile.isEmpty()) {
            folder = QFileInfo(profileFile).absolutePath() + u"/nobody"_s;
            if (!QDir().mkpath(folder) || chown(QFile::encodeName(folder), 65534, 65534) != 0)
                qFatal("cannot make %s for the counts of the runs as nobody", qPrintable(folder));
        }
        return {[] {
                    if (setgid(65534) != 0 || setuid(65534) != 0)
                        _exit(126);
                },
                profileIn(folder)};
    }

    // A fresh folder that an ordinary user owns: page.html, links to it
    // (hard.html, soft.html), read-only files (read-only.php,
    // out/page.php), links to nothing (dangling.php, loop.php) and a link
    // to-script.php to script.php.
    QString fixtures()
    {
        const QString folder = m_directory.filePath(u"fixtures-"_s + QString::number(++m_fixtures));
        writeFile(folder.mid(m_directory.path().size() + 1) + u"/page.html"_s, "<p>page</p>\n");
        const QByteArray path = QFile::encodeName(folder);
        const auto at = [&](const char* name) { return QByteArray(path + '/' + name); };
        const bool made = link(at("page.html"), at("hard.html")) == 0 && symlink("page.html", at("soft.html")) == 0
                          && symlink("nowhere.php", at("dangling.php")) == 0 && symlink("loop.php", at("loop.php")) == 0
                          && symlink("script.php", at("to-script.php")) == 0 && mkdir(at("out"), 0755) == 0;
        if (!made)
            return {};
        for (const char* name : {"read-only.php", "out/page.php", "script.php"}) {
            QFile file(QFile::decodeName(at(name)));
            if (!file.open(QIODevice::WriteOnly) || file.write("old") != 3)
                return {};
        }
        if (geteuid() == 0) {
            chmod(QFile::encodeName(m_directory.path()), 0755);
            for (const char* name : {"", "/page.html", "/out", "/read-only.php", "/out/page.php", "/script.php"})
                chown(path + name, 65534, 65534);
        }
        chmod(at("read-only.php"), 0444);
        chmod(at("out/page.php"), 0444);
        return folder;
    }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_directory.filePath(name));
        QDir().mkpath(QFileInfo(file).path());
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return file.fileName();
    }

    QTemporaryDir m_directory;
    int m_fixtures = 0;
};

}  // namespace cli_test
