// The colours' spans against judges of their own: PHP's tokenizer
// (token_get_all) for PHP pages and PHP scripts, PHP itself for which
// backslash sequences are escapes, Python's tokenize module for Python
// scripts, node for which names a constant can take; hand-labelled lines
// for HTML, ASP and the other targets.
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

// One letter per UTF-16 unit: what the spans make of it, as the judges
// name it (see php_token_classes.php), '.' where no span lies.
QString classesOf(const std::vector<Span>& spans, qsizetype size)
{
    QString classes(size, u'.');
    for (const Span& span : spans) {
        QChar letter = u'?';
        switch (span.kind) {
        case Kind::Comment: letter = u'C'; break;
        case Kind::String:
        case Kind::Escape: letter = u'S'; break;
        case Kind::CodeIsland: letter = u'T'; break;
        case Kind::Variable: letter = u'V'; break;
        case Kind::Header: letter = u'H'; break;
        case Kind::Keyword: letter = u'K'; break;
        case Kind::Number: letter = u'N'; break;
        default: letter = u'h'; break;  // HTML
        }
        for (std::size_t i = span.begin; i < span.end && i < std::size_t(size); ++i)
            classes[qsizetype(i)] = letter;
    }
    return classes;
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
    void otherTargets_data();
    void otherTargets();
    void aspPages();
    void unterminatedPage();
    void variableNamesAsNodeTakesThem();

private:
    QByteArray run(const QString& program, const QStringList& arguments);
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

// The legacy pages of the template tests and a few more: comments of
// every kind, strings, heredocs, interpolation, HTML around code.
void SyntaxSpansTest::phpPagesAsPhpTokenizesThem()
{
    if (m_php.isEmpty())
        QSKIP("php is not installed");
    QStringList files;
    const QDir legacy(QStringLiteral(LEGACY_PHP_DIR));
    for (const QString& name : legacy.entryList({u"*.php"_s}, QDir::Files, QDir::Name))
        files.append(legacy.filePath(name));
    const QByteArray extra =
        "<!DOCTYPE html>\n<a href=\"<?= $url ?>\" title='x'>go</a>\n<?php\n# hash\n/** doc */ $a = 'it\\'s' . \"\\n{$b['k']} $c->d\";\n"
        "echo <<<EOT\n  text $x \\t\n  EOT;\necho <<<'N'\nraw \\n\nN;\nprint `ls`; // line ?>\n<p>after</p>\n<?php $d = 1.5e3; /* multi\nline */ ?>";
    const QString extraFile = m_dir.filePath(u"extra.php"_s);
    QFile file(extraFile);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(extra) == extra.size());
    file.close();
    files.append(extraFile);
    const QList<QByteArray> judged = run(m_php, QStringList{u"-d"_s, u"short_open_tag=1"_s, QStringLiteral(PHP_TOKEN_CLASSES)} + files).split('\n');
    QCOMPARE(judged.size(), files.size() + 1);
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
    const QString html = u"<p class=\"a\">$5 & {$x} \\ \t tab</p>\r\n'quote' `tick` %> ?>\r\nHTML\r\n"_s;
    struct Case {
        Target target;
        Escaping escaping;
        bool header;
    };
    const Case cases[] = {{Target::Php, Escaping::Exact, true}, {Target::Php, Escaping::Classic, true},
                          {Target::PhpNowdoc, Escaping::Exact, true}, {Target::Php, Escaping::Exact, false}};
    QStringList files;
    QList<QString> scripts;
    for (const Case& c : cases) {
        tagora::ScriptOptions options;
        options.header = c.header;
        const QString script = QString::fromStdU16String(*tagora::script(c.target, c.escaping, viewOf(html), options));
        const QString path = m_dir.filePath(u"script%1.php"_s.arg(files.size()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(script.toUtf8());
        files.append(path);
        scripts.append(script);
    }
    const QList<QByteArray> judged = run(m_php, QStringList{u"-d"_s, u"short_open_tag=1"_s, QStringLiteral(PHP_TOKEN_CLASSES)} + files).split('\n');
    QCOMPARE(judged.size(), files.size() + 1);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const Target target = cases[i].target;
        const QString mine = classesOf(scriptSpans(target, scripts[i]), scripts[i].size());
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
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(script.toUtf8());
    file.close();
    // One letter per character: S in a string, C in a comment, O elsewhere.
    const QString judge = uR"(import sys, tokenize
text = open(sys.argv[1], encoding="utf-8", newline="").read()
lines = text.split("\r\n")
starts = [0]
for line in lines:
    starts.append(starts[-1] + len(line) + 2)
marks = ["O"] * len(text)
with open(sys.argv[1], "rb") as f:
    for t in tokenize.tokenize(f.readline):
        mark = {tokenize.STRING: "S", tokenize.COMMENT: "C"}.get(t.type)
        if mark:
            for i in range(starts[t.start[0] - 1] + t.start[1], starts[t.end[0] - 1] + t.end[1]):
                marks[i] = mark
print("".join(marks))
)"_s;
    const QByteArray judged = run(m_python, {u"-c"_s, judge, path}).trimmed();
    QCOMPARE(judged.size(), script.size());
    const QString mine = classesOf(scriptSpans(Target::Python, script), script.size());
    for (qsizetype i = 0; i < script.size(); ++i) {
        const char own = mine[i] == u'H' ? 'C' : mine[i] == u'S' ? 'S' : 'O';
        if (script[i].isSpace() && judged[i] != 'S')
            continue;
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
    const std::vector<Span> spans = tagora::syntax::htmlLine(viewOf(line), state);
    QString labelled(line.size(), u'.');
    const QString letters = u"tavecd"_s;
    for (const Span& span : spans) {
        for (std::size_t i = span.begin; i < span.end; ++i)
            labelled[qsizetype(i)] = letters[int(span.kind)];
    }
    QCOMPARE(labelled, kinds);
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
        QString labelled(line.size(), u'.');
        for (const Span& span : spans) {
            const QChar letter = span.kind == Kind::Header ? u'H' : span.kind == Kind::Keyword ? u'K'
                                 : span.kind == Kind::Variable ? u'V' : span.kind == Kind::String ? u'S'
                                 : span.kind == Kind::Escape ? u'E' : u'?';
            for (std::size_t i = span.begin; i < span.end; ++i)
                labelled[qsizetype(i)] = letter;
        }
        QCOMPARE(labelled.left(kinds[checked].size()), kinds[checked]);
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
// constant, in a script and in a module (strict code) alike.
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
    // Accepted when a script, strict code and a module all run
    // "const NAME = 1;" (the program's own limit is ASCII, 64 at most).
    const QString judge = uR"(const vm = require("vm");
(async () => {
  for (const name of JSON.parse(process.argv[1])) {
    let ok = /^[A-Za-z_$][A-Za-z0-9_$]{0,63}$/.test(name);
    for (const code of ["const " + name + " = 1;", "'use strict'; const " + name + " = 1;"]) {
      try { vm.runInNewContext(code); } catch (e) { ok = false; }
    }
    try { await import("data:text/javascript," + encodeURIComponent("const " + name + " = 1;")); } catch (e) { ok = false; }
    console.log(ok ? "yes" : "no");
  }
})();)"_s;
    QStringList quoted;
    for (const QString& name : names)
        quoted.append(u"\""_s + name + u"\""_s);
    const QList<QByteArray> verdicts =
        run(m_node, {u"-e"_s, judge, u"["_s + quoted.join(u',') + u"]"_s}).split('\n');
    QCOMPARE(verdicts.size(), names.size() + 1);
    for (qsizetype i = 0; i < names.size(); ++i)
        QVERIFY2(tagora::isValidVariableName(names[i].toStdString()) == (verdicts[i] == "yes"),
                 qPrintable(names[i] + u" "_s + verdicts[i]));
}

QTEST_GUILESS_MAIN(SyntaxSpansTest)
#include "tst_syntax_spans.moc"
