// The colours' spans against judges of their own: PHP's tokenizer
// (token_get_all, php_token_classes.php) for PHP pages and PHP scripts,
// PHP itself for which backslash sequences are escapes, Python's tokenize
// module for Python scripts, node for which names a constant can take;
// hand-labelled lines for HTML, ASP and the other targets.
#include "script_reader/syntax_spans.h"
#include "script_writer/script_generator.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using tagora::Escaping;
using tagora::Target;
using tagora::syntax::Kind;
using tagora::syntax::Span;

namespace {

std::u16string_view viewOf(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}

// One letter per UTF-16 unit: the letter of its span's kind (one per
// Kind, in order), '.' where no span lies.
QString labelsOf(const std::vector<Span>& spans, qsizetype size, QStringView letters)
{
    QString labels(size, u'.');
    for (const Span& span : spans) {
        for (std::size_t i = span.begin; i < span.end && i < std::size_t(size); ++i)
            labels[qsizetype(i)] = letters[int(span.kind)];
    }
    return labels;
}

// What the spans make of each unit, as the judges name it (see
// php_token_classes.php): h for HTML.
QString classesOf(const std::vector<Span>& spans, qsizetype size)
{
    return labelsOf(spans, size, u"hhhhhhTHKVNSSC");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every line of the text through scriptLine, as the output box colours it.
std::vector<Span> scriptSpans(Target target, const QString& text)
{
    std::vector<Span> spans;
    int state = 0;
    qsizetype start = 0;
    for (const QString& line : text.split(u"\r\n"_s)) {
        for (const Span& span : tagora::syntax::scriptLine(target, viewOf(line), state))
            spans.push_back({span.begin + std::size_t(start), span.end + std::size_t(start), span.kind});
        start += line.size() + 2;
    }
    return spans;
}

// The UTF-16 unit each byte of the UTF-8 text belongs to.
QList<qsizetype> unitsOfBytes(const QByteArray& utf8)
{
    QList<qsizetype> units;
    qsizetype unit = -1;
    for (const char byte : utf8) {
        const auto b = static_cast<unsigned char>(byte);
        if ((b & 0xC0) != 0x80)
            unit += b >= 0xF0 ? 2 : 1;
        units.append(b >= 0xF0 ? unit - 1 : unit);
    }
    return units;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Where the spans disagree with PHP: a comment, string or tag on one side
// only, or a variable of PHP's that is not one here. Blank space around
// tags and comments is PHP's to count.
QString disagreement(const QByteArray& bytes, const QString& mine, const QByteArray& php, bool headerIsTagOrComment)
{
    const QList<qsizetype> units = unitsOfBytes(bytes);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char judged = php[i];
        char own = mine[units[i]].toLatin1();
        if (headerIsTagOrComment && own == 'H')
            own = judged == 'T' || judged == 'C' ? judged : 'H';
        // Line breaks belong to no line; blanks around tags are PHP's.
        if (bytes[i] == '\r' || bytes[i] == '\n' || (isBlank(bytes[i]) && judged != 'S'))
            continue;
        const bool agree = judged == 'V' ? own == 'V'
                           : (judged == 'C' || judged == 'S' || judged == 'T' || own == 'C' || own == 'S' || own == 'T')
                               ? own == judged
                               : true;
        if (!agree) {
            const qsizetype from = std::max<qsizetype>(0, i - 30);
            return u"byte %1: PHP says %2, here %3, in: %4"_s.arg(i).arg(QChar(judged)).arg(QChar(own))
                .arg(QString::fromUtf8(bytes.mid(from, 60)));
        }
    }
    return {};
}

}  // namespace

class SyntaxSpansTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void phpPagesAsPhpTokenizesThem();
    void phpScriptsAsPhpTokenizesThem();
    void phpEscapesAsPhpReadsThem();
    void pythonScriptsAsPythonTokenizesThem();
    void html_data();
    void html();
    void htmlStateCarriesOverLines();
    void embeddedCode_data();
    void embeddedCode();
    void javaScriptAsAcornTokenizesIt();
    void otherTargets_data();
    void otherTargets();
    void aspPages();
    void unterminatedPage();
    void variableNamesAsNodeTakesThem();

private:
    QByteArray run(const QString& program, const QStringList& arguments);
    QList<QByteArray> phpClasses(const QStringList& files);
    QString m_php;
    QString m_python;
    QString m_node;
    QTemporaryDir m_dir;
};

void SyntaxSpansTest::initTestCase()
{
    m_php = QStandardPaths::findExecutable(u"php"_s);
    m_python = QStandardPaths::findExecutable(u"python3"_s);
    m_node = QStandardPaths::findExecutable(u"node"_s);
    QVERIFY(m_dir.isValid());
}

QByteArray SyntaxSpansTest::run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60'000) || process.exitCode() != 0) {
        qWarning() << program << arguments.mid(0, 2) << process.readAllStandardError();
        return {};
    }
    return process.readAllStandardOutput();
}

// PHP's classes of every byte of each file, a line each.
QList<QByteArray> SyntaxSpansTest::phpClasses(const QStringList& files)
{
    const QStringList arguments{u"-d"_s, u"short_open_tag=1"_s, QStringLiteral(PHP_TOKEN_CLASSES)};
    QList<QByteArray> lines = run(m_php, arguments + files).split('\n');
    return lines.size() == files.size() + 1 ? lines.first(files.size()) : QList<QByteArray>{};
}

// The legacy pages of the template tests and spans_sample.php: comments
// of every kind, strings, heredocs, interpolation, HTML around code.
void SyntaxSpansTest::phpPagesAsPhpTokenizesThem()
{
    if (m_php.isEmpty())
        QSKIP("php is not installed");
    QStringList files{QStringLiteral(PHP_SPANS_SAMPLE)};
    const QDir legacy(QStringLiteral(LEGACY_PHP_DIR));
    for (const QString& name : legacy.entryList({u"*.php"_s}, QDir::Files, QDir::Name))
        files.append(legacy.filePath(name));
    const QList<QByteArray> judged = phpClasses(files);
    QCOMPARE(judged.size(), files.size());
    for (qsizetype i = 0; i < files.size(); ++i) {
        QFile page(files[i]);
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray bytes = page.readAll();
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder(bytes);
        if (decoder.hasError())
            continue;  // the window holds text: this page is in another encoding
        const QString mine = classesOf(tagora::syntax::pageSpans(viewOf(text)), text.size());
        QCOMPARE(judged[i].size(), bytes.size());
        const QString problem = disagreement(bytes, mine, judged[i], false);
        QVERIFY2(problem.isEmpty(), qPrintable(QFileInfo(files[i]).fileName() + u": "_s + problem));
    }
}

// The scripts this program writes, coloured line by line from the
// descriptions: PHP's tokenizer finds the same strings, and the header's
// tags and comments where the colours put the header.
void SyntaxSpansTest::phpScriptsAsPhpTokenizesThem()
{
    if (m_php.isEmpty())
        QSKIP("php is not installed");
    const QString html = u"<p class=\"a\">$5 $v2_w9 & {$x} \\ \t tab</p>\r\n'quote' `tick` %> ?>\r\nHTML\r\n"_s;
    const struct {
        Target target;
        Escaping escaping;
        bool header;
    } cases[] = {{Target::Php, Escaping::Exact, true}, {Target::Php, Escaping::Classic, true},
                 {Target::PhpNowdoc, Escaping::Exact, true}, {Target::Php, Escaping::Exact, false}};
    QStringList files, scripts;
    for (const auto& c : cases) {
        const tagora::ScriptOptions options{.header = c.header};
        scripts << QString::fromStdU16String(*tagora::script(c.target, c.escaping, viewOf(html), options));
        files << m_dir.filePath(u"script%1.php"_s.arg(files.size()));
        QVERIFY(writeFile(files.last(), scripts.last().toUtf8()));
    }
    const QList<QByteArray> judged = phpClasses(files);
    QCOMPARE(judged.size(), files.size());
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString mine = classesOf(scriptSpans(cases[i].target, scripts[i]), scripts[i].size());
        const QString problem = disagreement(scripts[i].toUtf8(), mine, judged[i], true);
        QVERIFY2(problem.isEmpty(), qPrintable(u"case %1: "_s.arg(i) + problem));
    }
}

// Every backslash sequence coloured as an escape in a double-quoted PHP
// string is one for PHP, and every other one is not.
void SyntaxSpansTest::phpEscapesAsPhpReadsThem()
{
    if (m_php.isEmpty())
        QSKIP("php is not installed");
    const QStringList sequences{u"\\n"_s, u"\\t"_s, u"\\q"_s, u"\\x41"_s, u"\\x"_s, u"\\101"_s, u"\\8"_s,
                                u"\\u{41}"_s, u"\\$"_s, u"\\\\"_s, u"\\e"_s, u"\\v"_s, u"\\f"_s, u"\\r"_s,
                                u"\\a"_s, u"\\{"_s, u"\\'"_s};
    const QList<QByteArray> verdicts = run(m_php, QStringList{QStringLiteral(PHP_ESCAPES)} + sequences).split('\n');
    QCOMPARE(verdicts.size(), sequences.size() + 1);
    for (qsizetype i = 0; i < sequences.size(); ++i) {
        const QString page = u"<?php $a = \"x"_s + sequences[i] + u"y\";"_s;
        const std::vector<Span> spans = tagora::syntax::pageSpans(viewOf(page));
        const qsizetype at = page.indexOf(u'\\');
        const auto escape = std::find_if(spans.begin(), spans.end(), [at](const Span& span) {
            return span.kind == Kind::Escape && span.begin == std::size_t(at);
        });
        const bool coloured = escape != spans.end() && escape->end == std::size_t(at + sequences[i].size());
        QVERIFY2(coloured == (verdicts[i] == "escape"), qPrintable(sequences[i] + u" "_s + verdicts[i]));
    }
}

void SyntaxSpansTest::pythonScriptsAsPythonTokenizesThem()
{
    if (m_python.isEmpty())
        QSKIP("python3 is not installed");
    const QString html = u"<p class=\"a\">$5 \\ \t # not a comment ' </p>\r\n\x01\r\n"_s;
    const QString script = QString::fromStdU16String(*tagora::script(Target::Python, Escaping::Exact, viewOf(html)));
    const QString path = m_dir.filePath(u"script.py"_s);
    QVERIFY(writeFile(path, script.toUtf8()));
    const QByteArray judged = run(m_python, {QStringLiteral(PYTHON_TOKEN_CLASSES), path}).trimmed();
    QCOMPARE(judged.size(), script.size());
    // The header's comments are comments for Python.
    const QString mine = labelsOf(scriptSpans(Target::Python, script), script.size(), u"OOOOOOOCOOOSSC");
    for (qsizetype i = 0; i < script.size(); ++i) {
        if (script[i].isSpace() && judged[i] != 'S')
            continue;
        const char own = mine[i] == u'.' ? 'O' : mine[i].toLatin1();
        QVERIFY2(own == judged[i], qPrintable(u"at %1: %2"_s.arg(i).arg(script.mid(std::max<qsizetype>(0, i - 20), 40))));
    }
}

// Each line is labelled by hand: the kind of each character ('.' for
// none): t tag, a attribute, v value, e entity, c comment, d doctype.
void SyntaxSpansTest::html_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("kinds");
    QTest::newRow("tag, attributes") << u"<p class=\"a b\" id=x hidden>T</p>"_s
                                     << u"tt.aaaaa.vvvvv.aa.v.aaaaaat.tttt"_s;
    QTest::newRow("single quotes, entity") << u"<a href='?a=1&amp;b'>&lt;&#38;</a>"_s
                                           << u"tt.aaaa."_s + QString(12, u'v') + u"t"_s + QString(9, u'e') + u"tttt"_s;
    QTest::newRow("comment, doctype") << u"<!DOCTYPE html><!-- <b> -->x"_s << QString(15, u'd') + QString(12, u'c') + u"."_s;
    QTest::newRow("not tags") << u"a < b && c<3 & d"_s << u"................"_s;
    QTest::newRow("self-closing") << u"<br/><img src=x />"_s << u"ttttttttt.aaa.v.tt"_s;
}

void SyntaxSpansTest::html()
{
    QFETCH(QString, line);
    QFETCH(QString, kinds);
    int state = 0;
    QCOMPARE(labelsOf(tagora::syntax::htmlLine(viewOf(line), state), line.size(), u"tavecd????????"), kinds);
    QCOMPARE(state, 0);
}

// A comment, a tag and a quoted value go on over line ends.
void SyntaxSpansTest::htmlStateCarriesOverLines()
{
    int state = 0;
    const auto kindAt = [&state](const QString& line, qsizetype at) {
        for (const Span& span : tagora::syntax::htmlLine(viewOf(line), state)) {
            if (span.begin <= std::size_t(at) && std::size_t(at) < span.end)
                return int(span.kind);
        }
        return -1;
    };
    QCOMPARE(kindAt(u"<!-- a"_s, 5), int(Kind::HtmlComment));
    QCOMPARE(kindAt(u"<b> --> <i"_s, 1), int(Kind::HtmlComment));
    QCOMPARE(kindAt(u"title=\"one"_s, 0), int(Kind::Attribute));
    QCOMPARE(kindAt(u"two\" x>y"_s, 1), int(Kind::AttributeValue));
    QCOMPARE(kindAt(u"<b>"_s, 1), int(Kind::Tag));
}

// The code of <script> and <style> elements, labelled by hand: t tag, a
// attribute, v value, K keyword, N number, S string or regular
// expression, C comment. Their end tag ends them anywhere, in any case.
void SyntaxSpansTest::embeddedCode_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("kinds");
    QTest::newRow("style") << u"<style>@media print{b{margin:0 1.5em;color:\"x\"}}/*c*/</style>"_s
                           << u"tttttttKKKKKK................N.NNNNN.......SSS..CCCCCtttttttt"_s;
    QTest::newRow("end tag in a string") << u"<script>if (a<b) x = \"</script><b>\";"_s
                                         << u"ttttttttKK...........Stttttttttttt.."_s;
    QTest::newRow("any case, attributes, regular expression, comment")
        << u"<SCRIPT type=\"module\">return /re/.test(x) // c</Script >"_s
        << u"ttttttt.aaaa.vvvvvvvvtKKKKKK.SSSS.........CCCCtttttttt.t"_s;
    QTest::newRow("not a script element") << u"<scripts>if</scripts>"_s << u"ttttttttt..tttttttttt"_s;
}

void SyntaxSpansTest::embeddedCode()
{
    QFETCH(QString, line);
    QFETCH(QString, kinds);
    int state = 0;
    QCOMPARE(labelsOf(tagora::syntax::htmlLine(viewOf(line), state), line.size(), u"tavecd??K?NS?C"), kinds);
    QCOMPARE(state, 0);
}

// A script element's code, line by line, against acorn's tokenizer
// (js_token_classes.js): keywords, strings, templates and regular
// expressions, numbers and comments, a comment and a template over lines.
void SyntaxSpansTest::javaScriptAsAcornTokenizesIt()
{
    if (m_node.isEmpty())
        QSKIP("node is not installed");
    QFile sample(QStringLiteral(JS_SPANS_SAMPLE));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    const QString code = QString::fromUtf8(sample.readAll());
    qputenv("NODE_PATH", "/usr/share/nodejs");
    const QByteArray judged = run(m_node, {QStringLiteral(JS_TOKEN_CLASSES), QStringLiteral(JS_SPANS_SAMPLE)}).trimmed();
    if (judged.isEmpty())
        QSKIP("acorn (node-acorn) is not installed");
    QCOMPARE(judged.size(), code.size());
    const QString page = u"<script type=\"text/javascript\">\n"_s + code + u"</script><p>x</p>"_s;
    std::vector<Span> spans;
    int state = 0;
    qsizetype start = 0;
    for (const QString& line : page.split(u'\n')) {
        for (const Span& span : tagora::syntax::htmlLine(viewOf(line), state))
            spans.push_back({span.begin + std::size_t(start), span.end + std::size_t(start), span.kind});
        start += line.size() + 1;
    }
    const QString own = labelsOf(spans, page.size(), u"tttttt..K.NSSC");
    const qsizetype codeStart = page.indexOf(u'\n') + 1;
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (code[i] == u'\n')
            continue;  // a line's end is in no span here
        const QChar expected = QChar::fromLatin1(judged[i]);
        if (own[codeStart + i] != expected) {
            const qsizetype lineStart = code.lastIndexOf(u'\n', i) + 1;
            QFAIL(qPrintable(u"at %1: acorn says %2, here %3, in: %4"_s.arg(i).arg(expected).arg(own[codeStart + i])
                                 .arg(code.mid(lineStart, code.indexOf(u'\n', i) - lineStart))));
        }
    }
    QCOMPARE(own.right(17), u"tttttttttttt.tttt"_s);
    QCOMPARE(state, 0);
}

// Scripts of the other targets, labelled by hand: H header, K keyword,
// V variable, S string, E escape, . nothing.
void SyntaxSpansTest::otherTargets_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<QString>("html");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("kinds");
    QTest::newRow("js") << Target::Js << u"a</b\\\r\nc"_s
                        << QStringList{u"const html = `a<\\/b\\\\"_s, u"c`;"_s}
                        << QStringList{u"KKKKK.VVVV...SSSEESEE"_s, u"SS."_s};
    QTest::newRow("js-concat") << Target::JsConcat << u"a\"\r\nb"_s
                               << QStringList{u"const html = \"a\\\"\\n\" +"_s, u"    \"b\";"_s}
                               << QStringList{u"KKKKK.VVVV...SSEEEES.."_s, u"....SSS."_s};
    QTest::newRow("json") << Target::Json << u"a\u2028\r\nb"_s << QStringList{u"\"a\\u2028\\nb\""_s}
                          << QStringList{u"SSEEEEEEEESS"_s};
    QTest::newRow("jsp") << Target::Jsp << u"\u00e9\t"_s
                         << QStringList{u"<%@ page contentType=\"text/html; charset=UTF-8\" %><%"_s,
                                        u"// JSP Script generated by"_s, u"out.write(\"\\u00E9\\t\");"_s, u"%>"_s}
                         << QStringList{QString(52, u'H'), QString(26, u'H'), u"KKKKKKKKK.SEEEEEEEES.."_s, u"HH"_s};
    QTest::newRow("perl") << Target::Perl << u"$a@b"_s << QStringList{u"print \"\\$a\\@b\";"_s}
                          << QStringList{u"KKKKK.SEESEESS."_s};
    QTest::newRow("asp") << Target::Asp << u"\"%>"_s
                         << QStringList{u"Response.Write(\"\"\"%\" & \">\")"_s}
                         << QStringList{u"KKKKKKKKKKKKKK.SEESS...SSS."_s};
    QTest::newRow("nowdoc") << Target::PhpNowdoc << u"HTML;\r\nx"_s
                            << QStringList{u"echo <<<'HTML1'"_s, u"HTML;"_s, u"x"_s, u"HTML1;"_s}
                            << QStringList{u"KKKK.SSSSSSSSSS"_s, u"SSSSS"_s, u"S"_s, u"SSSSS."_s};
}

void SyntaxSpansTest::otherTargets()
{
    QFETCH(Target, target);
    QFETCH(QString, html);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, kinds);
    const QString script = QString::fromStdU16String(*tagora::script(target, Escaping::Exact, viewOf(html)));
    int state = 0;
    qsizetype checked = 0;
    for (const QString& line : script.split(u"\r\n"_s)) {
        const std::vector<Span> spans = tagora::syntax::scriptLine(target, viewOf(line), state);
        if (checked == lines.size() || !line.startsWith(lines[checked]))
            continue;
        QCOMPARE(labelsOf(spans, line.size(), u"???????HKV?SE?").left(kinds[checked].size()), kinds[checked]);
        ++checked;
    }
    QCOMPARE(checked, lines.size());
}

// ASP: the islands, VBScript's strings with their "" and its comments;
// an unterminated string runs to the island's end.
void SyntaxSpansTest::aspPages()
{
    const QString page = u"<b><%= \"a\"\"b\" %></b><% Dim x ' note\r\nIf x Then Response.Write \"open %>tail"_s;
    const QString mine = classesOf(tagora::syntax::pageSpans(viewOf(page)), page.size());
    QCOMPARE(mine, u"hhhTTT.SSSSSS.TThhhhTT.KKK...CCCCCC..KK...KKKK................SSSSSSTT...."_s);
}

// A page PHP cannot read to its end: coloured up to the string left open,
// the rest as that string.
void SyntaxSpansTest::unterminatedPage()
{
    const QString page = u"<p><?php $a = 1; // c\r\n$b = 'open ?> <p>"_s;
    const QString mine = classesOf(tagora::syntax::pageSpans(viewOf(page)), page.size());
    QCOMPARE(mine, u"hhhTTTTTTVV...N..CCCC..VV..."_s + QString(12, u'S'));
}

// The names the window and --name accept are those node takes for a
// constant, in a script, strict code and a module alike.
void SyntaxSpansTest::variableNamesAsNodeTakesThem()
{
    if (m_node.isEmpty())
        QSKIP("node is not installed");
    const QStringList names{
        u"html"_s, u"page_1"_s, u"$"_s, u"_x$"_s, u"Html"_s, u"class"_s, u"let"_s, u"static"_s, u"yield"_s,
        u"await"_s, u"eval"_s, u"arguments"_s, u"undefined"_s, u"NaN"_s, u"Infinity"_s, u"enum"_s,
        u"implements"_s, u"package"_s, u"async"_s, u"of"_s, u"get"_s, u"1a"_s, u"a-b"_s, u"a b"_s, u""_s,
        u"null"_s, u"true"_s, u"typeof"_s, u"constructor"_s, u"window"_s, u"name"_s, QString(64, u'a'),
        QString(65, u'a'), u"caf\u00e9"_s, u"new"_s, u"debugger"_s, u"interface"_s,
    };
    QStringList quoted;
    for (const QString& name : names)
        quoted.append(u"\""_s + name + u"\""_s);
    const QList<QByteArray> verdicts =
        run(m_node, {QStringLiteral(NODE_CONSTANT_NAMES), u"["_s + quoted.join(u',') + u"]"_s}).split('\n');
    QCOMPARE(verdicts.size(), names.size() + 1);
    for (qsizetype i = 0; i < names.size(); ++i)
        QVERIFY2(tagora::isValidVariableName(names[i].toStdString()) == (verdicts[i] == "yes"),
                 qPrintable(names[i] + u" "_s + verdicts[i]));
}

QTEST_GUILESS_MAIN(SyntaxSpansTest)
#include "tst_syntax_spans.moc"
