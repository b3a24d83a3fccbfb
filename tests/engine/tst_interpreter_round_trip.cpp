// Runs every target's scripts in the language's own interpreter: each must
// print (js, js-concat and json: evaluate to) exactly its input, every
// CR LF as the target's printed line break. Then the same inputs as string
// literals, each put in a small program that prints it: each must print
// exactly its input, every line break as it is. The inputs are hand-written
// cases for every kind of character a script must carry, then random ones
// made of them. Each row runs all its scripts in one or two interpreter
// runs, and each script ends what it printed with kCaseEnd, which no input
// holds. A script is saved as UTF-8, where a lone surrogate becomes U+FFFD.

#include "script_writer/script_generator.h"
#include "script_writer/string_literal.h"
#include "script_reader/script_reader.h"
#include "interpreter_inputs.h"
#include "wine_environment.h"

#include <algorithm>

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using tagora::Target;
using namespace tagora::testing;

namespace {

const QString kCrLf = u"\r\n"_s;

struct Printed {
    QStringList outputs;  // one per script
    QString error;
};

enum class Encoding { Utf8, Utf16 };

// How a row's scripts are run. By default they are saved one after the
// other in the file "cases", each followed by kCaseEnd, and
// `program arguments...` runs a driver in the language that runs each.
struct Interpreter;
using Runner = Printed (*)(const Interpreter&, const QString& directory, const QStringList& scripts);
Printed runCases(const Interpreter&, const QString& directory, const QStringList& scripts);

struct Interpreter {
    QStringList programs;  // the first runs the driver
    QStringList arguments;
    Encoding printed = Encoding::Utf8;
    Runner run = runCases;
};

QString withLoneSurrogatesReplaced(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

bool write(const QString& path, const QString& text)
{
    const QByteArray bytes = withLoneSurrogatesReplaced(text).toUtf8();
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList outputsOf(const QByteArray& bytes, Encoding encoding)
{
    QStringList outputs;
    if (encoding == Encoding::Utf16) {
        outputs = QString(reinterpret_cast<const QChar*>(bytes.data()), bytes.size() / 2).split(kCaseEnd);
    } else {
        for (const QByteArray& piece : bytes.split(char(kCaseEnd))) {
            QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
            const QString text = strict(piece);
            outputs << (strict.hasError() ? u"not UTF-8: "_s + QString::fromLatin1(piece.toPercentEncoding()) : text);
        }
    }
    outputs.removeLast();  // after the last kCaseEnd
    return outputs;
}

// A program that writes anything on standard error fails, unless it is
// Wine: it talks about the prefix it makes and the parts it lacks, and
// the pages print their own errors.
Printed run(const QString& directory, const QString& program, const QStringList& arguments, Encoding encoding,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setWorkingDirectory(directory);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(240000))
        return {{}, program + u" did not finish: "_s + process.errorString()};
    const QString errors = program == u"wine" ? QString() : QString::fromUtf8(process.readAllStandardError().left(3000));
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || !errors.isEmpty())
        return {{}, u"%1 failed (exit code %2): %3"_s.arg(program).arg(process.exitCode()).arg(errors)};
    return {outputsOf(process.readAllStandardOutput(), encoding), {}};
}

Printed runCases(const Interpreter& interpreter, const QString& directory, const QStringList& scripts)
{
    if (!write(directory + u"/cases"_s, scripts.join(kCaseEnd) + kCaseEnd))
        return {{}, u"cannot write the scripts"_s};
    return run(directory, interpreter.programs.first(), interpreter.arguments, interpreter.printed);
}

// The drivers (drivers/) run the file "cases" in their language.
QString driver(const char* name)
{
    return QStringLiteral(INTERPRETER_DRIVERS "/") + QLatin1StringView(name);
}

QString fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Each JSP's scriptlet becomes a method with `out` a Writer, as a page's
// JspWriter is, that keeps the strings it writes as UTF-16, lone
// surrogates and all (drivers/Cases.java.head). javac reads the source as ISO-8859-1, a servlet container's default; its JIT
// compiler is kept to the quick first tier, which halves its time here.
Printed runJava(const Interpreter&, const QString& directory, const QStringList& scripts)
{
    QString source = fileText(driver("Cases.java.head"));
    for (qsizetype i = 0; i < scripts.size(); ++i) {
        // The scriptlet: after the first line, up to the final "%>".
        const qsizetype start = scripts[i].indexOf(kCrLf);
        const qsizetype end = scripts[i].endsWith(u"%>"_s) ? scripts[i].size() - 2 : start;
        source += u"static void case%1(PrintStream printed) throws IOException {\r\nWriter out = new Printing(printed);%2}\r\n"_s
                      .arg(i)
                      .arg(scripts[i].mid(start, end - start));
    }
    if (!write(directory + u"/Cases.java"_s, source + u'}'))
        return {{}, u"cannot write the source"_s};
    const QString quickStart = u"-XX:TieredStopAtLevel=1"_s;
    const QStringList javac{u"-J"_s + quickStart, u"-encoding"_s, u"ISO-8859-1"_s, u"Cases.java"_s};
    const Printed compiled = run(directory, u"javac"_s, javac, Encoding::Utf8);
    if (!compiled.error.isEmpty())
        return compiled;
    return run(directory, u"java"_s, {quickStart, u"-cp"_s, u"."_s, u"Cases"_s, QString::number(scripts.size())},
               Encoding::Utf16);
}

// The VBScript between an ASP page's first line <% and its last line %>.
// Wine's parser does not take `Response.Write("x") & vbCrLf` (real VBScript
// does: the argument is the whole expression), so such a line becomes the
// equivalent `Response.Write (("x") & vbCrLf)`.
QString vbscriptOf(const QString& aspPage)
{
    QStringList lines = aspPage.split(kCrLf);
    if (lines.size() < 2 || lines.first() != u"<%" || lines.last() != u"%>")
        return u"Syntax error: not an ASP block"_s;
    lines = lines.mid(1, lines.size() - 2);
    const QString call = u"Response.Write("_s, continued = u" & vbCrLf"_s;
    for (QString& line : lines) {
        if (line.startsWith(call) && line.endsWith(continued))
            line = u"Response.Write (("_s + line.mid(call.size()) + u")"_s;
    }
    return lines.join(kCrLf);
}

// All pages in one VBScript file for Wine's cscript (Wine takes seconds to
// start), one Sub each, Response an object whose Write writes to a UTF-16
// file. Wine reads a script in Windows-1252 only, so the inputs keep to
// that (see wineReads).
Printed runCscript(const Interpreter&, const QString& directory, const QStringList& scripts)
{
    QStringList lines{
        u"Class FakeResponse"_s,
        u"  Public Sub Write(text)"_s,
        u"    printed.Write text"_s,
        u"  End Sub"_s,
        u"End Class"_s,
        u"Dim printed, Response"_s,
        u"Set printed = CreateObject(\"Scripting.FileSystemObject\").CreateTextFile(\"printed.txt\", True, True)"_s,
        u"Set Response = New FakeResponse"_s,
    };
    for (qsizetype i = 0; i < scripts.size(); ++i)
        lines << u"Sub Case%1"_s.arg(i) << vbscriptOf(scripts[i]) << u"End Sub"_s;
    lines << u"On Error Resume Next"_s;
    for (qsizetype i = 0; i < scripts.size(); ++i) {
        lines << u"Case%1"_s.arg(i)
              << u"If Err.Number <> 0 Then printed.Write \"error \" & Err.Number & \": \" & Err.Description"_s
              << u"Err.Clear"_s << u"printed.Write Chr(29)"_s;
    }
    lines << u"printed.Close"_s;
    QStringEncoder windows1252("windows-1252", QStringEncoder::Flag::Stateless);
    const QByteArray source = windows1252(lines.join(kCrLf) + kCrLf);
    QFile file(directory + u"/cases.vbs"_s);
    if (windows1252.hasError() || !file.open(QIODevice::WriteOnly) || file.write(source) != source.size())
        return {{}, u"cannot write the cases in Windows-1252"_s};
    file.close();

    const QProcessEnvironment environment = wineEnvironment();
    const Printed ran =
        run(directory, u"wine"_s, {u"cscript"_s, u"//nologo"_s, u"cases.vbs"_s}, Encoding::Utf8, environment);
    if (!ran.error.isEmpty())
        return ran;
    QFile printed(directory + u"/printed.txt"_s);
    const QByteArray bytes = printed.open(QIODevice::ReadOnly) ? printed.readAll() : QByteArray();
    if (!bytes.startsWith("\xFF\xFE"))
        return {{}, u"nothing printed in UTF-16LE: a script does not compile"_s};
    return {outputsOf(bytes.mid(2), Encoding::Utf16), {}};
}

bool wineReads(const QString& text)
{
    QStringEncoder windows1252("windows-1252", QStringEncoder::Flag::Stateless);
    [[maybe_unused]] const QByteArray encoded = windows1252(text);  // encodes only when converted
    return !windows1252.hasError();
}

// What a script must be besides printing its input.
enum Check {
    // Safe inside an HTML <script> element and in any JavaScript engine.
    InScriptElement = 1,
    // Nothing ends the code block before the footer: after the first line
    // (where a JSP's page directive is), "%>" only at the end.
    CodeBlock = 2,
    Ascii = 4,
};

struct Row {
    Target target;
    Interpreter interpreter;
    int checks = 0;
    bool escapesLoneSurrogates = false;  // else the saved script holds U+FFFD
    bool (*takes)(const QString& input) = nullptr;
};

const QString kPython = u"/usr/bin/python3"_s;
const QStringList kPhpArguments{u"-n"_s, u"-d"_s, u"error_reporting=-1"_s, driver("run_cases.php")};
const Row kRows[] = {
    {Target::Php, {{u"php"_s}, kPhpArguments}},
    {Target::Asp, {{u"wine"_s}, {}, Encoding::Utf16, runCscript}, CodeBlock, false, wineReads},
    {Target::PhpNowdoc, {{u"php"_s}, kPhpArguments}},
    {Target::Js, {{u"node"_s}, {driver("run_cases.js"), u"script"_s}, Encoding::Utf16}, InScriptElement, true},
    {Target::JsConcat, {{u"node"_s}, {driver("run_cases.js"), u"script"_s}, Encoding::Utf16}, InScriptElement, true},
    {Target::Json, {{kPython}, {driver("json_values.py")}, Encoding::Utf16}, InScriptElement, true},
    {Target::Json, {{u"node"_s}, {driver("run_cases.js"), u"json"_s}, Encoding::Utf16}, InScriptElement, true},
    {Target::Jsp, {{u"java"_s, u"javac"_s}, {}, Encoding::Utf16, runJava}, CodeBlock | Ascii, true},
    {Target::Perl, {{u"perl"_s}, {u"-w"_s, driver("run_cases.pl")}}},
    {Target::Python, {{kPython}, {driver("run_cases.py")}}},
};

// What the script prints for the input.
QString printedFor(const QString& html, const Row& row)
{
    const std::string_view lineBreak = tagora::targetInfo(row.target).printedLineBreak;
    QString text = html;
    text.replace(kCrLf, QLatin1StringView(lineBreak.data(), qsizetype(lineBreak.size())));
    return row.escapesLoneSurrogates ? text : withLoneSurrogatesReplaced(text);
}

// A small program of the target that prints the literal, as the row's
// interpreter runs it.
QString programPrinting(Target target, const QString& literal)
{
    switch (target) {
    case Target::Php:
    case Target::PhpNowdoc:
        return u"<?php echo "_s + literal + u";"_s;
    case Target::Asp:
        return u"<%\r\nResponse.Write("_s + literal + u")\r\n%>"_s;
    case Target::Js:
    case Target::JsConcat:
        return u"const html = "_s + literal + u";"_s;
    case Target::Json:
        return literal;
    case Target::Jsp:
        return u"<%@ page %><%\r\nout.write("_s + literal + u");\r\n%>"_s;
    case Target::Perl:
        return u"print "_s + literal + u";"_s;
    case Target::Python:
        break;
    }
    return u"import sys\nsys.stdout.reconfigure(encoding='utf-8', newline='\\n')\nsys.stdout.write("_s + literal + u")"_s;
}

// Java holds at most 65535 bytes in a string constant.
bool fitsTheLanguage(Target target, const QString& literal)
{
    return target != Target::Jsp || literal.size() < 65535;
}

bool passesChecks(const QString& script, int checks)
{
    const bool inScriptElement = !script.contains(u"</script"_s, Qt::CaseInsensitive) && !script.contains(u"<!--"_s)
                                 && !script.contains(QChar(0x2028)) && !script.contains(QChar(0x2029));
    const bool codeBlock = script.indexOf(u"%>"_s, script.indexOf(kCrLf)) == script.size() - 2;
    const bool ascii = std::all_of(script.begin(), script.end(), [](QChar c) { return c.unicode() < 0x80; });
    return (inScriptElement || !(checks & InScriptElement)) && (codeBlock || !(checks & CodeBlock))
           && (ascii || !(checks & Ascii));
}

// Every other script without its header comment, every third (js and
// js-concat) with a constant of another name: each variant is run as
// often as the rest, in the same interpreter runs.
tagora::ScriptOptions optionsOfCase(qsizetype index)
{
    tagora::ScriptOptions options;
    options.header = index % 2 == 0;
    if (index % 3 == 1)
        options.variableName = "$page_1";
    return options;
}

}  // namespace

Q_DECLARE_METATYPE(const Row*)

class TestInterpreterRoundTrip : public QObject {
    Q_OBJECT

public:
    bool missedAnInterpreter() const { return m_missedAnInterpreter; }

private slots:
    void everyTargetHasAnInterpreter();
    void printsTheInput_data();
    void printsTheInput();
    void literalIsTheInput_data() { printsTheInput_data(); }
    void literalIsTheInput();

private:
    bool interpretersFound(const Row& row);
    void compareRun(const Row& row, const QStringList& scripts, const QStringList& expected);

    bool m_missedAnInterpreter = false;
};

// A target without a row would pass untested.
void TestInterpreterRoundTrip::everyTargetHasAnInterpreter()
{
    for (const tagora::TargetInfo& info : tagora::targets()) {
        const bool hasRow =
            std::any_of(std::begin(kRows), std::end(kRows), [&info](const Row& row) { return row.target == info.target; });
        QVERIFY2(hasRow, qPrintable(u"no interpreter runs the "_s + QLatin1StringView(info.name) + u" scripts"_s));
    }
}

void TestInterpreterRoundTrip::printsTheInput_data()
{
    QTest::addColumn<const Row*>("row");
    for (const Row& row : kRows) {
        const QString program = row.interpreter.programs.first().section(u'/', -1);
        QTest::addRow("%s %s", std::string(tagora::targetInfo(row.target).name).c_str(), qPrintable(program)) << &row;
    }
}

// The scripts made from the 16-bit text, as the window makes them. On a
// difference, names the input and shows its script.
void TestInterpreterRoundTrip::printsTheInput()
{
    QFETCH(const Row*, row);
    if (!interpretersFound(*row))
        return;
    QStringList inputs = handWrittenInputs();
    if (row->takes)
        inputs.removeIf([row](const QString& input) { return !row->takes(input); });
    inputs += randomInputs(row->target, row->takes, 1000);
    QStringList scripts;
    for (const QString& html : std::as_const(inputs)) {
        const tagora::ScriptOptions options = optionsOfCase(scripts.size());
        const auto script = tagora::script(row->target, tagora::Escaping::Exact, html.toStdU16String(), options);
        QVERIFY(script);
        scripts << QString::fromStdU16String(*script);
        QVERIFY2(passesChecks(scripts.last(), row->checks), qPrintable(scripts.last()));
        // tagora-convert's script of the UTF-8 text is the same.
        const QByteArray utf8 = html.toUtf8();
        const auto fromUtf8 = tagora::script(row->target, tagora::Escaping::Exact, utf8.toStdString(), options);
        if (withLoneSurrogatesReplaced(html) == html) {
            QVERIFY2(fromUtf8 == scripts.last().toStdString(),
                     "differs from the UTF-8 text's: " + utf8.toPercentEncoding());
            // Read back, the script gives what the interpreter must print.
            const tagora::ReadScript back = tagora::readScript(*fromUtf8);
            QVERIFY2(back.target == row->target && back.printed
                         && QByteArray::fromStdString(*back.printed) == printedFor(html, *row).toUtf8(),
                     "read back wrongly: " + utf8.toPercentEncoding());
        }
    }
    QStringList expected;
    for (const QString& html : std::as_const(inputs))
        expected << printedFor(html, *row);
    compareRun(*row, scripts, expected);
}

// Each input as a literal, made from the 16-bit text as the window makes
// it and from UTF-8 as tagora-convert does; read back, recognised or
// named, it gives the text.
void TestInterpreterRoundTrip::literalIsTheInput()
{
    QFETCH(const Row*, row);
    if (!interpretersFound(*row))
        return;
    QStringList inputs = handWrittenInputs();
    inputs += randomInputs(row->target, nullptr, 300);  // the scripts take 1000: the literals share their escapes
    inputs << QString();
    if (row->takes)
        inputs.removeIf([row](const QString& input) { return !row->takes(input); });
    QStringList programs;
    QStringList texts;
    QStringList wronglyReadBack;  // after the interpreter has judged
    for (const QString& text : std::as_const(inputs)) {
        const auto literal = tagora::stringLiteral(row->target, text.toStdU16String());
        QVERIFY(literal);
        const QString written = QString::fromStdU16String(*literal);
        const int checks = row->checks & ~CodeBlock;
        QVERIFY2(passesChecks(written, checks) && !(row->checks & CodeBlock && written.contains(u"%>"_s)),
                 qPrintable(written));
        if (!fitsTheLanguage(row->target, written))
            continue;
        programs << programPrinting(row->target, written);
        texts << (row->escapesLoneSurrogates ? text : withLoneSurrogatesReplaced(text));
        const QByteArray utf8 = text.toUtf8();
        if (withLoneSurrogatesReplaced(text) != text)
            continue;
        const auto fromUtf8 = tagora::stringLiteral(row->target, utf8.toStdString());
        QVERIFY2(fromUtf8 == written.toStdString(), "differs from the UTF-8 text's: " + utf8.toPercentEncoding());
        for (const auto named : {std::optional<Target>(), std::optional<Target>(row->target)}) {
            const tagora::ReadScript back = tagora::readLiteral(*fromUtf8, named);
            // An ASP string that another language reads is taken for that
            // language's, unless its language is named.
            if (row->target == Target::Asp && back.target != Target::Asp)
                continue;
            if (!back.printed || QByteArray::fromStdString(*back.printed) != utf8)
                wronglyReadBack << QString::fromStdString(back.error.message) + u": "_s + utf8.toPercentEncoding();
        }
    }
    compareRun(*row, programs, texts);
    if (!QTest::currentTestFailed())
        QVERIFY2(wronglyReadBack.isEmpty(), qPrintable(u"read back wrongly: "_s + wronglyReadBack.join(u"; "_s)));
}

bool TestInterpreterRoundTrip::interpretersFound(const Row& row)
{
    for (const QString& program : row.interpreter.programs) {
        if (QStandardPaths::findExecutable(program).isEmpty()) {
            m_missedAnInterpreter = true;
            QTest::qSkip(qPrintable(program + u" is not installed (scripts/install-deps.sh test installs it)"_s),
                         __FILE__, __LINE__);
            return false;
        }
    }
    return true;
}

// Runs the scripts in the row's interpreter: each prints its expected text.
void TestInterpreterRoundTrip::compareRun(const Row& row, const QStringList& scripts, const QStringList& expected)
{
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const Printed printed = row.interpreter.run(row.interpreter, directory.path(), scripts);
    QVERIFY2(printed.error.isEmpty(), qPrintable(printed.error));
    QCOMPARE(printed.outputs.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (printed.outputs[i] != expected[i])
            qInfo() << "input" << i << "printed wrongly; its script:" << scripts[i];
        QCOMPARE(printed.outputs[i], expected[i]);
    }
}

// Exits 77, a skip for CTest, when all went well but an interpreter is
// missing.
int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    TestInterpreterRoundTrip test;
    const int failures = QTest::qExec(&test, argc, argv);
    return failures == 0 && test.missedAnInterpreter() ? 77 : failures;
}

#include "tst_interpreter_round_trip.moc"
