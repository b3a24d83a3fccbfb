// Legacy PHP files turned into templates, checked by PHP itself: php runs
// every file of legacy_php/ and its template, which must print the same
// bytes, end with the same exit status and give no error or warning the
// file did not give; PHP's tokenizer checks that no echo or print is left
// and that no literal text stayed inside <?= ?>. Hand-written cases
// (php_templates.txt) pin the shape of templates and the line and column
// of errors.

#include "case_file.h"
#include "script_reader/php_template.h"
#include "script_reader/script_read_error.h"
#include "script_reader/script_to_html.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The template, or the error as "line:column: message".
QByteArray templateOf(const QByteArray& script)
{
    const auto result = tagora::phpTemplate(std::string_view(script.constData(), size_t(script.size())));
    if (const auto* error = std::get_if<tagora::ScriptReadError>(&result))
        return QByteArray::number(qulonglong(error->line)) + ':' + QByteArray::number(qulonglong(error->column))
               + ": " + QByteArray::fromStdString(error->message);
    return QByteArray::fromStdString(std::get<std::string>(result));
}

// Messages without the file and line they name.
QByteArrayList messages(const QByteArray& errors)
{
    static const QRegularExpression place(uR"( in \S+(:\d+| on line \d+))"_s);
    QByteArrayList lines;
    for (const QByteArray& line : errors.split('\n'))
        if (!line.trimmed().isEmpty())
            lines << QString::fromUtf8(line).remove(place).toUtf8();
    return lines;
}


}  // namespace

class TestPhpTemplate : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printsTheSame_data();
    void printsTheSame();
    void leavesNoEchoNorLiteral();
    void isItsOwnTemplate();
    void templates_data();
    void templates();
    void printOperands_data();
    void printOperands();
    void syntaxErrors_data();
    void syntaxErrors();
    void languages_data();
    void languages();
    void placesOfNotes();

private:
    struct Run {
        QByteArray output;
        QByteArray errors;
        int status = -1;
    };
    QProcess* startPhp(const QStringList& arguments);
    void runAll(const QStringList& files);

    QString m_php;
    QTemporaryDir m_directory;
    QStringList m_names;
    QHash<QString, QByteArray> m_scripts;
    QHash<QString, Run> m_runs;  // by path
};

void TestPhpTemplate::initTestCase()
{
    m_php = QStandardPaths::findExecutable(u"php"_s);  // CTest skips the test without it
    QVERIFY(m_directory.isValid());
    QVERIFY(QDir(m_directory.path()).mkpath(u"original"_s) && QDir(m_directory.path()).mkpath(u"template"_s));
    m_names = QDir(QStringLiteral(LEGACY_PHP_DIR)).entryList({u"*.php"_s}, QDir::Files, QDir::Name);
    QVERIFY2(m_names.size() >= 30, "the corpus holds at least 30 scripts");
    QStringList files;
    for (const QString& name : m_names) {
        QFile source(QStringLiteral(LEGACY_PHP_DIR "/") + name);
        QVERIFY(source.open(QIODevice::ReadOnly));
        m_scripts[name] = source.readAll();
        for (const auto& [folder, text] : {std::pair{u"original"_s, m_scripts[name]}, {u"template"_s, templateOf(m_scripts[name])}}) {
            QFile file(m_directory.filePath(folder + u'/' + name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
            files << file.fileName();
        }
    }
    runAll(files);
}

QProcess* TestPhpTemplate::startPhp(const QStringList& arguments)
{
    auto* php = new QProcess(this);
    php->start(m_php, QStringList{u"-n"_s, u"-d"_s, u"error_reporting=-1"_s, u"-d"_s, u"display_errors=stderr"_s}
                          + arguments);
    return php;
}

// Two interpreters at a time: each needs a few milliseconds of start-up.
void TestPhpTemplate::runAll(const QStringList& files)
{
    QList<std::pair<QString, QProcess*>> running;
    for (qsizetype next = 0; next < files.size() || !running.isEmpty();) {
        while (running.size() < 2 && next < files.size()) {
            running.append({files[next], startPhp({files[next]})});
            ++next;
        }
        auto [file, php] = running.takeFirst();
        php->waitForFinished(60000);
        m_runs[file] = {php->readAllStandardOutput(), php->readAllStandardError(),
                        php->exitStatus() == QProcess::NormalExit ? php->exitCode() : -1};
        delete php;
    }
}

void TestPhpTemplate::printsTheSame_data()
{
    QTest::addColumn<QString>("name");
    for (const QString& name : std::as_const(m_names))
        QTest::newRow(qPrintable(name)) << name;
}

void TestPhpTemplate::printsTheSame()
{
    QFETCH(QString, name);
    const Run original = m_runs.value(m_directory.filePath(u"original/"_s + name));
    const Run made = m_runs.value(m_directory.filePath(u"template/"_s + name));
    QCOMPARE(made.output, original.output);
    QCOMPARE(made.status, original.status);
    QByteArrayList given = messages(original.errors);
    for (const QByteArray& message : messages(made.errors))
        QVERIFY2(given.removeOne(message), "the template gives a message the script did not: " + message);
}

void TestPhpTemplate::leavesNoEchoNorLiteral()
{
    QStringList arguments{u"-d"_s, u"extension=tokenizer"_s, QStringLiteral(PHP_TOKEN_CHECK)};
    for (const QString& name : std::as_const(m_names))
        if (!m_scripts[name].contains("keeps print inside expressions"))
            arguments << m_directory.filePath(u"template/"_s + name);
    QProcess* php = startPhp(arguments);
    QVERIFY(php->waitForFinished(60000));
    QCOMPARE(php->readAllStandardError(), QByteArray());
    QCOMPARE(php->readAllStandardOutput(), QByteArray());
    QCOMPARE(php->exitCode(), 0);
}

// A template has no echo left: read again, it comes out as it is (but
// for an echo inside an expression, which is code the first time).
void TestPhpTemplate::isItsOwnTemplate()
{
    for (const QString& name : std::as_const(m_names)) {
        if (m_scripts[name].contains("keeps print inside expressions"))
            continue;
        const QByteArray made = templateOf(m_scripts[name]);
        QVERIFY2(templateOf(made) == made, qPrintable(name));
    }
}

// php_templates.txt: each script's template, or its error.
void TestPhpTemplate::templates_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("expected");
    const QList<testcases::Case> cases = testcases::readCases(QStringLiteral(PHP_TEMPLATES));
    QVERIFY(!cases.isEmpty());
    for (const auto& [name, values] : cases)
        QTest::newRow(name.constData()) << values["in"] << values.value("err", values.value("out", values["in"]));
}

void TestPhpTemplate::templates()
{
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, expected);
    QCOMPARE(templateOf(script), expected);
}

// print takes one operand and binds more tightly than "and", "or" and
// "xor": "print 'a' and f()" prints a, then calls f. Such a statement stays
// code; PHP checks that the expected template prints what the script does.
void TestPhpTemplate::printOperands_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray f = "<?php function f($n) { fwrite(STDOUT, \"[f$n]\"); return $n; }\n";
    for (const char* statement : {"print 'a' and f(1);", "print 'a' AND f(1);", "print 'b' xor f(2);",
                                  "print 'c' or f(3);", "print 'd' Or f(3);",
                                  "print ('g') and f(4);", "$x = print 'h' and f(5);"})
        QTest::newRow(statement) << f + statement << f + statement;
    QTest::newRow("one operand") << QByteArray("<?php print 'a' . \"b\";") << QByteArray("ab");
    QTest::newRow("a comma inside a call") << QByteArray("<?php print implode(',', [1, 2]);")
                                           << QByteArray("<?= implode(',', [1, 2]) ?>");
}

void TestPhpTemplate::printOperands()
{
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, expected);
    QCOMPARE(templateOf(script), expected);
    QList<Run> runs;
    for (const QByteArray& text : {script, expected}) {
        QFile file(m_directory.filePath(u"print.php"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();
        QProcess* php = startPhp({file.fileName()});
        QVERIFY(php->waitForFinished(60000));
        runs.append({php->readAllStandardOutput(), php->readAllStandardError(), php->exitCode()});
        delete php;
    }
    QCOMPARE(runs[1].output, runs[0].output);
    QCOMPARE(runs[1].errors, runs[0].errors);
    QCOMPARE(runs[1].status, runs[0].status);
}

// Pages PHP cannot read, each beside the page fixed, judged by `php -l`:
// the first must be refused at the place given (on the line PHP names),
// the second read.
void TestPhpTemplate::syntaxErrors_data()
{
    QTest::addColumn<QByteArray>("wrong");
    QTest::addColumn<QByteArray>("right");
    QTest::addColumn<QByteArray>("error");
    const auto row = [](const char* name, const char* wrong, const char* right, const char* error) {
        QTest::newRow(name) << QByteArray(wrong) << QByteArray(right) << QByteArray(error);
    };
    row("operand missing after +", "<?php\n$a = 1 +;\necho $a;", "<?php\n$a = 1 + +1;\necho $a;",
        "2:9: syntax error: `+` has no operand after it");
    row("operand missing before *", "<?php\n$a = (* 2);\necho $a;", "<?php\n$a = (-2);\necho $a;",
        "2:7: syntax error: `*` has no operand before it");
    row("two operators", "<?php\necho 'a' . . 'b';", "<?php\necho 'a' . -1 . 'b';",
        "2:12: syntax error: `.` has no operand after it");
    row("=> with nothing after it", "<?php\n$a = ['k' =>];", "<?php\n$a = ['k' => &$b];",
        "2:13: syntax error: `=>` has no operand after it");
    row("echo after a value", "<?php\n$a = f()\necho $a;", "<?php\nif (f())\necho $a;",
        "3:1: syntax error: `echo` cannot start here (is a \";\" missing before it?)");
    row("if inside brackets", "<?php\nf(if ($a) 1);", "<?php\nf(fn() => $a);",
        "2:3: syntax error: `if` cannot start here (is a \";\" missing before it?)");
    row("a name right after a value", "<?php\n$a = $b strtoupper($c);", "<?php\n$a = $b and strtoupper($c);",
        "2:9: syntax error: a value right after another value (is an operator, \",\" or \";\" missing?)");
    row("a call right after a call", "<?php\nf($a) $b = 1;", "<?php\nif ($a) $b = (int) $c;",
        "2:7: syntax error: a value right after another value (is an operator, \",\" or \";\" missing?)");
    row("; inside brackets", "<?php\n$a = [1;\n];", "<?php\nfor ($i = 0; $i < 2; $i++) {}\n$a = [1,\n];",
        "2:8: syntax error: `;` inside `[`, which is not closed before it");
    row(", outside brackets", "<?php\n$a = 1, $b = 2;", "<?php\nglobal $a, $b;\nstatic $c = 1, $d;\necho f($a), $b;",
        "2:7: syntax error: `,` in a statement that takes no list (is a bracket missing?)");
    row(", in a block", "<?php\nif ($a) { $b, $c; }", "<?php\nif ($a) { echo $b, $c; }\n$x = match ($a) { 1, 2 => 3 };",
        "2:13: syntax error: `,` in a statement that takes no list (is a bracket missing?)");
    row("print with two operands", "<?php\nprint 'e', 'f';", "<?php\nprint 'e' . 'f';",
        "2:10: syntax error: `,` in a statement that takes no list (is a bracket missing?)");
    row("if without its bracket", "<?php\nif $a { echo 1; }", "<?php\nif ($a) { echo 1; }",
        "2:4: syntax error: `if` must be followed by `(`");
    row("echo with nothing to print", "<?php\necho;", "<?php\necho '';",
        "2:5: syntax error: `echo` has no operand after it");
    row("=> in a call", "<?php\nf($a => 1);", "<?php\nf(fn($a) => 1, ['a' => 1], array(2 => 3));",
        "2:6: syntax error: `=>` outside an array, a foreach, a match or an arrow function");
    row("} after a statement without ;", "<?php\nif ($a) { $b = 1 }",
        "<?php\nif ($a) { $b = 1; }\n$c = match ($a) { default => 1 };\n$d = $o->{'p'} . ${'q'};",
        "2:18: syntax error: `}` ends a statement that has no `;`");
    row(", right after (", "<?php\nf(, 1);", "<?php\nlist(, $b) = [1, 2];",
        "2:3: syntax error: `,` with nothing before it");
    row("$ without a name", "<?php\n$a = $;", "<?php\n$a = $$b . ${'c'};",
        "2:7: syntax error: `$` without a variable name after it");
    row("keywords as members and arguments", "<?php\n$a->echo() $b;", "<?php\n$a->echo(); A::if(); f(if: 1);",
        "2:12: syntax error: a value right after another value (is an operator, \",\" or \";\" missing?)");
    row("attribute before a function", "<?php\n#[A] $f function g() {}", "<?php\n#[A] function g() {}\n$x++ . 'a';",
        "2:9: syntax error: a value right after another value (is an operator, \",\" or \";\" missing?)");
    row(": without a case", "<?php\nswitch ($a) { case : break; }",
        "<?php\nswitch ($a) { case 1: break; default: }\n$b = $a ? : 1;\nfunction f(): ?int { return null; }\nend: echo 1;",
        "2:20: syntax error: `:` cannot stand here");
    row("an operator before :", "<?php\n$a = $b ? 1 + : 2;", "<?php\n$a = $b ? 1 + 1 : 2;",
        "2:15: syntax error: `+` has no operand after it");
    row("? after =", "<?php\n$a = ? 1;", "<?php\n$a = $b ?: 1;\nfunction g(?int $x, ?string $y): ?int { return $x; }",
        "2:6: syntax error: `?` cannot stand here");
    row("as twice", "<?php\nforeach ($a as as $b) {}",
        "<?php\nforeach ($a as $b) {}\nuse A\\B as C;\nclass D { use T { f as protected g; } }",
        "2:16: syntax error: `as` has nothing before it");
    row("as outside foreach", "<?php\n$a = $b as $c;", "<?php\nforeach (f() as $c) {}\nuse X\\{Y as Z};",
        "2:9: syntax error: `as` outside a foreach or a use statement");
    row("a closure with a name", "<?php\n$f = function g() {};",
        "<?php\n$f = function () use ($a): int { return 1; };\nfunction &g(array $a = []) {}\n"
        "abstract class H { abstract public function i(); }\n$k = static function &() {};\nuse function A\\strlen;",
        "2:15: syntax error: a function inside an expression has no name: `(` must follow `function`");
    row("a number as a parameter", "<?php\nfunction f(1) {}", "<?php\nfunction f(int ...$a) {}\n$g = fn(#[A] $b, &$c) => 1;",
        "2:12: syntax error: a parameter must be a variable (with its type before it)");
    row("a method without a name", "<?php\nclass A { public function () {} }", "<?php\nclass A { public function list() {} }",
        "2:27: syntax error: a method must have a name");
    row("a function without its body", "<?php\nfunction f($a) return $a;", "<?php\nfunction f($a): A|(B&C) { return $a; }",
        "2:16: syntax error: a function's parameters and return type must be followed by its body `{`");
    row("an empty array element", "<?php\n$a = [1, , 2];",
        "<?php\n[$a, , $b] = [1, 2, 3];\nforeach ([[1, 2]] as [, $c]) {}\nlist(, $d) = [1, 2];\n[[, $e]] = [[1, 2]];",
        "2:10: syntax error: an empty element in an array");
    row("an empty argument", "<?php\nf($a, , $b);", "<?php\nf($a, $b,);",
        "2:7: syntax error: `,` with nothing before it");
    row("a string after a function's name", "<?php\n$a = strtoupper 'x';",
        "<?php\necho 'x'; print 1; while (1) { break 1; }\nreturn 'y';",
        "2:17: syntax error: a value right after a name (is an operator, \",\" or \";\" missing?)");
    row("two names", "<?php\n$a = strtoupper strtolower($b);", "<?php\nclass A extends B implements C {}\n$a = new A and FOO;",
        "2:17: syntax error: a value right after a name (is an operator, \",\" or \";\" missing?)");
    row("a variable after a function's name", "<?php\n$a = (strtoupper $b);",
        "<?php\nfunction f(A|B $x, ?C $y, D&E $z) {}\ntry {} catch (E $e) {}\nclass P { public static Q $r; }",
        "2:18: syntax error: a value right after a name (is an operator, \",\" or \";\" missing?)");
    row("a block after brackets", "<?php\n($a) { echo 1; }",
        "<?php\nif ($a) { echo 1; }\n$f = function () use ($a) {};\n$m = match ($a) { default => 1 };",
        "2:6: syntax error: `{` after a bracket that no `if`, `while`, `function` or the like opened");
    row("break and a block", "<?php\nwhile (1) { break { } }", "<?php\nwhile (1) { break; }",
        "2:19: syntax error: `break` cannot be followed by `{`");
    row("echo and an operator", "<?php\necho <p>;", "<?php\necho -1;",
        "2:6: syntax error: `echo` has no operand after it");
    row("[] read", "<?php\n$a = $b[] . 'x';", "<?php\n$b[] = 'x';\nforeach ([1] as $c[]) {}",
        "2:8: syntax error: `[]` only adds to an array: it cannot be read");
    row("empty parentheses", "<?php\n$a = ();", "<?php\n$a = f() . $g() . (function &() {})();",
        "2:7: syntax error: `()` holds no value");
    row("a constant assigned", "<?php\n$a = FOO = 1;", "<?php\nconst A = 1, B = 2;\ndeclare(ticks=1);\n$o->p = 1;",
        "2:10: syntax error: `=` after a name, which is not a variable");
    row("array and an operator", "<?php\n$a = array- (1);", "<?php\n$a = array(1) + [2];\nfunction f(array|int $a) {}",
        "2:11: syntax error: `array` must be followed by `(` or a variable");
}

void TestPhpTemplate::syntaxErrors()
{
    QFETCH(QByteArray, wrong);
    QFETCH(QByteArray, right);
    QFETCH(QByteArray, error);
    for (const QByteArray& text : {wrong, right}) {
        QFile file(m_directory.filePath(u"lint.php"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();
        QProcess* php = startPhp({u"-l"_s, file.fileName()});
        QVERIFY(php->waitForFinished(60000));
        const QByteArray said = php->readAllStandardOutput() + php->readAllStandardError();
        const int status = php->exitCode();
        delete php;
        if (text == right) {
            QVERIFY2(status == 0, said.constData());
            const QByteArray made = templateOf(right);
            QVERIFY2(!QRegularExpression(u"^\\d+:\\d+: "_s).match(QString::fromUtf8(made)).hasMatch(), made.constData());
        } else {
            QVERIFY2(status != 0, said.constData());
            QVERIFY2(said.contains("on line " + error.left(error.indexOf(':')) + "\n"), said.constData());
            QCOMPARE(templateOf(wrong), error);
        }
    }
}

// The lines and columns of the notes, asked for in order (counted on from
// the last), at every byte and out of order, against those known as the
// text was built (and, at every byte, those counted from the start):
// CR LF, a lone CR and LF end a line, a character of two to four bytes or
// a byte of none is one column.
void TestPhpTemplate::placesOfNotes()
{
    struct Piece {
        const char* bytes;
        bool endsLine;
    };
    const Piece pieces[] = {{"a", false},          {"\r\n", true},       {"\xC3\xA9", false},
                            {"\r", true},          {"\n", true},         {"\xF0\x9F\x98\x80", false},
                            {"\x80", false},       {"\xE2\x80" "a", false}, {"<?php echo 1; ?>", false}};
    QRandomGenerator random(32);
    std::string text;
    std::vector<tagora::ScriptReadError> expected;  // at each byte where a piece starts
    std::vector<std::size_t> starts;
    std::size_t line = 1, column = 1;
    for (int i = 0; i < 300; ++i) {
        const Piece& piece = pieces[random.bounded(int(std::size(pieces)))];
        const std::string_view bytes(piece.bytes);
        // ASCII is a column a byte; so are "\x80" and "\xE2\x80" (cut off by the "a").
        const bool oneCharacter = (bytes[0] & 0x80) && bytes != "\x80" && bytes != "\xE2\x80" "a";
        if (piece.endsLine && !text.empty() && text.back() == '\r' && bytes == "\n")
            continue;  // it would join the CR before it
        starts.push_back(text.size());
        expected.push_back({line, column, {}});
        text += bytes;
        if (piece.endsLine)
            line += 1, column = 1;
        else
            column += oneCharacter ? 1 : bytes.size();
    }
    tagora::ScriptPlaces inOrder(text);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const tagora::ScriptReadError found = inOrder.at(starts[i], {});
        QCOMPARE(std::pair(found.line, found.column), std::pair(expected[i].line, expected[i].column));
    }
    // Every byte, inside a CR LF or a character too, as counted from the start.
    tagora::ScriptPlaces everyByte(text);
    for (std::size_t offset = 0; offset <= text.size(); ++offset) {
        const tagora::ScriptReadError found = everyByte.at(offset, {});
        const tagora::ScriptReadError counted = tagora::errorAtOffset(text, offset, {});
        QCOMPARE(std::pair(found.line, found.column), std::pair(counted.line, counted.column));
    }
    tagora::ScriptPlaces anyOrder(text);
    for (int round = 0; round < 600; ++round) {
        const std::size_t i = std::size_t(random.bounded(int(starts.size())));
        const tagora::ScriptReadError found = anyOrder.at(starts[i], {});
        QCOMPARE(std::pair(found.line, found.column), std::pair(expected[i].line, expected[i].column));
    }
}

QTEST_GUILESS_MAIN(TestPhpTemplate)
#include "tst_php_template.moc"

// Pages whose language a reading of strings, heredocs and comments tells:
// the language, or where the reading stopped and what it says.
void TestPhpTemplate::languages_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("?> in a heredoc, <%= %> in a later PHP string")
        << QByteArray("<?php\n$h = <<<EOT\nstop ?> here\nEOT;\necho $h, '<%= 1 %>';\n") << QByteArray("php");
    QTest::newRow("?> in a string, <% %> in a later one")
        << QByteArray("<?php $a = \"?>\"; $b = '<% x %>'; echo $a;") << QByteArray("php");
    QTest::newRow("Response.Write in a Java string")
        << QByteArray("<%@ page contentType=\"text/html\" %>\n<% out.print(\"Response.Write\"); %>\n")
        << QByteArray("jsp");
    QTest::newRow("out.print in a VBScript comment")
        << QByteArray("<%\n' out.print(x)\nResponse.Write \"a\"\n%>\n") << QByteArray("asp");
    QTest::newRow("ASP directive with a space before its @")
        << QByteArray("<% @ Language=VBScript %>\r\n<% x = 1 %>\r\n<p><%= x %></p>") << QByteArray("asp");
    QTest::newRow("ASP page missing its %>")
        << QByteArray("<p>\n<% Response.Write \"x\"\n") << QByteArray("2:1: <% is never closed");
    QTest::newRow("PHP and ASP in each other's text")
        << QByteArray("<?php echo 1; ?>\n<% Response.Write 2 %>") << QByteArray("2:1: both PHP (at 1:1) and ASP or JSP (at 2:1)");
    QTest::newRow("ASP and JSP signs in code")
        << QByteArray("<%@ page import=\"x\" %>\n<% Response.Write(1) %>") << QByteArray("2:1: both ASP (at 2:1) and JSP (at 1:1)");
    // PHP cannot read "<%" in its code: a "<?" before it is an ASP page's text.
    QTest::newRow("<? and a space in an ASP page's text")
        << QByteArray("<p>a <? b</p>\n<% Response.Write \"<b>x</b>\" %>") << QByteArray("asp");
    QTest::newRow("<? and an apostrophe in an ASP page's text")
        << QByteArray("<p>don't <? me</p>\n<% Response.Write \"<b>x</b>\" %>") << QByteArray("asp");
    QTest::newRow("<? in the text of a JSP page")
        << QByteArray("<p>a <? b</p>\n<%@ page import=\"x\" %>\n<% out.print(1); %>") << QByteArray("jsp");
    QTest::newRow("<?php with ASP in its code")
        << QByteArray("<?php echo 1;\n<% Response.Write 2 %>") << QByteArray("2:1: both PHP (at 1:1) and ASP or JSP (at 2:1)");
    QTest::newRow("<% in a PHP string after a short tag")
        << QByteArray("<? echo '<% Response.Write 2 %>'; ?>") << QByteArray("php");
    QTest::newRow("out.print in a Rem comment")
        << QByteArray("<%\nRem out.print(x)\nResponse.Write \"a\" : REM out.println(y)\n%>\n") << QByteArray("asp");
    QTest::newRow("rem as a Java variable")
        << QByteArray("<%\nint rem = 3;\nrem = 4; out.print(rem);\n%>\n") << QByteArray("jsp");
    QTest::newRow("nothing of a page") << QByteArray("<p>plain</p>") << QByteArray("1:1: neither");
}

void TestPhpTemplate::languages()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, expected);
    const tagora::HtmlFromScript html = tagora::htmlFromScript(std::string_view(page.constData(), size_t(page.size())));
    if (expected.contains(':')) {
        QVERIFY(!html.html);
        const QByteArray error = QByteArray::number(qulonglong(html.error.line)) + ':'
                                 + QByteArray::number(qulonglong(html.error.column)) + ": "
                                 + QByteArray::fromStdString(html.error.message);
        QVERIFY2(error.startsWith(expected), error.constData());
        return;
    }
    QVERIFY2(html.html, html.error.message.c_str());
    QCOMPARE(QByteArray::fromStdString(std::string(tagora::targetInfo(*html.target).name)), expected);
}
