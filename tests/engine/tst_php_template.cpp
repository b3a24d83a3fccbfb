// Legacy PHP files turned into templates, checked by PHP itself: php runs
// every file of legacy_php/ and its template, which must print the same
// bytes, end with the same exit status and give no error or warning the
// file did not give; PHP's tokenizer checks that no echo or print is left
// and that no literal text stayed inside <?= ?>. Hand-written cases pin
// the shape of templates and the line and column of errors.

#include "script_reader/php_template.h"

#include <QDir>
#include <QProcess>
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
    void errors_data();
    void errors();
    void printOperands_data();
    void printOperands();

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

// A template has no echo left: read again, it comes out as it is.
void TestPhpTemplate::isItsOwnTemplate()
{
    for (const QString& name : std::as_const(m_names)) {
        const QByteArray made = templateOf(m_scripts[name]);
        QVERIFY2(templateOf(made) == made, qPrintable(name));
    }
}

void TestPhpTemplate::templates_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("concatenation") << QByteArray(R"(<?php echo "<td>" . $x . "</td>\n";)") << QByteArray("<td><?= $x ?></td>\n");
    QTest::newRow("echo tag in HTML") << QByteArray("<p><?php echo $name; ?></p>") << QByteArray("<p><?= $name ?></p>");
    QTest::newRow("if and else without braces")
        << QByteArray(R"(<?php if ($a) echo "yes"; else echo "no";)")
        << QByteArray("<?php if ($a) { ?>yes<?php } else { ?>no<?php }");
    QTest::newRow("text holding <?") << QByteArray("<?php echo '<?xml ?>', \"<?\\n\";")
                                     << QByteArray("<?= '<?' ?>xml ?><?= '<?' ?>\n\n");
    QTest::newRow("newline after ?> swallowed") << QByteArray("<?php echo \"x\"; ?>\n\nnext") << QByteArray("x\nnext");
    QTest::newRow("text starting with a newline") << QByteArray("<?php echo $a, \"\\r\\nb\";")
                                                  << QByteArray("<?= $a ?>\r\n\r\nb");
    QTest::newRow("print with parentheses") << QByteArray(R"(<?php print("a") . 'b';)") << QByteArray("ab");
    QTest::newRow("print inside an expression is code")
        << QByteArray(R"(<?php $ok = true and print "x";)") << QByteArray(R"(<?php $ok = true and print "x";)");
    QTest::newRow("ternary is one expression") << QByteArray(R"(<?php echo $a ? "x" : "y", PHP_EOL;)")
                                               << QByteArray("<?= $a ? \"x\" : \"y\" ?>\n\n");
    QTest::newRow("+ binds before .") << QByteArray(R"(<?php echo "a" . $b + 1 . "c";)") << QByteArray("a<?= $b + 1 ?>c");
    QTest::newRow("interpolation") << QByteArray(R"(<?php echo "{$a['k']} ${b} $c->d $e[0] $f[g]";)")
                                   << QByteArray("<?= $a['k'] ?> <?= $b ?> <?= $c->d ?> <?= $e[0] ?> <?= $f['g'] ?>");
    QTest::newRow("loop") << QByteArray("<?php\nforeach ($rows as $r) {\n    echo \"<li>$r</li>\\n\";\n}\n")
                          << QByteArray("<?php\nforeach ($rows as $r) {\n?>\n<li><?= $r ?></li>\n<?php\n}\n");
    QTest::newRow("short open tags") << QByteArray("<? if ($a): ?>A<? endif ?>") << QByteArray("<?php if ($a): ?>A<?php endif ?>");
    QTest::newRow("__LINE__") << QByteArray("<?php\n\necho 'line ' . __LINE__ . \"\\n\"; $l = __LINE__;")
                              << QByteArray("line 3\n<?php $l = 3;");
    QTest::newRow("__LINE__ between dots") << QByteArray("<?php echo 1;\n$x = 'l'.__LINE__.'b';")
                                           << QByteArray("1<?php\n$x = 'l'. 2 .'b';");
    QTest::newRow("CR LF file") << QByteArray("<?php\r\n$a = 1;\r\necho \"x\";\r\n") << QByteArray("<?php\r\n$a = 1;\r\n?>\r\nx");
    QTest::newRow("heredoc") << QByteArray("<?php\necho <<<EOT\n  Hi $n\n  EOT;\n") << QByteArray("Hi <?= $n ?>");
    QTest::newRow("comment after echo") << QByteArray("<?php echo \"a\"; // c ?>\nb") << QByteArray("a<?php // c ?>\nb");
    QTest::newRow("function that prints keeps the pieces up to it whole")
        << QByteArray(R"(<?php function m() { echo 1; } echo "<a>" . m() . "</a>";)")
        << QByteArray(R"(<?php function m() { ?>1<?php } ?><?= "<a>" . m() ?></a>)");
    QTest::newRow("unknown function keeps them whole") << QByteArray(R"(<?php echo "<a>" . f($x) . "<b>" . g() . "</b>" . $c;)")
                                                       << QByteArray(R"(<?= "<a>" . f($x) . "<b>" . g() ?></b><?= $c ?>)");
    QTest::newRow("method in a string keeps it whole") << QByteArray(R"(<?php echo "<a>{$o->m()}</a>";)")
                                                       << QByteArray(R"(<?= "<a>{$o->m()}</a>" ?>)");
    QTest::newRow("quiet function splits") << QByteArray(R"(<?php echo "<a>" . strtoupper($x) . "</a>";)")
                                           << QByteArray("<a><?= strtoupper($x) ?></a>");
    QTest::newRow("printing call as first piece splits") << QByteArray(R"(<?php echo f() . "</a>";)")
                                                         << QByteArray("<?= f() ?></a>");
    QTest::newRow("print and ... is code") << QByteArray(R"(<?php print "a" and f();)")
                                           << QByteArray(R"(<?php print "a" and f();)");
    QTest::newRow("print in a ternary is code") << QByteArray(R"(<?php $n ? print "y" : print "n";)")
                                                << QByteArray(R"(<?php $n ? print "y" : print "n";)");
    QTest::newRow("print in a ternary after case is code")
        << QByteArray(R"(<?php switch (1) { case 1: $n ? print "y" : print "n"; })")
        << QByteArray(R"(<?php switch (1) { case 1: $n ? print "y" : print "n"; })");
    QTest::newRow("print after a cast is code") << QByteArray(R"(<?php $x = (int) print "5";)")
                                                << QByteArray(R"(<?php $x = (int) print "5";)");
    QTest::newRow("print in a for head is code") << QByteArray(R"(<?php for (;print "x";) break;)")
                                                 << QByteArray(R"(<?php for (;print "x";) break;)");
    QTest::newRow("print after case is a statement") << QByteArray("<?php switch (1) { case 1: print \"a\"; }")
                                                     << QByteArray("<?php switch (1) { case 1: ?>a<?php }");
    QTest::newRow("brace before a line comment")
        << QByteArray("<?php\nif ($x) // n\n    echo \"a\";\nelse # m\n    echo \"b\";\n")
        << QByteArray("<?php\nif ($x) { // n\n?>\na<?php }\nelse { # m\n?>\nb<?php }\n");
    QTest::newRow("code after a line comment goes on the next line")
        << QByteArray("<?php $a = 1; // c\necho \"\"; $b = 2;") << QByteArray("<?php $a = 1; // c\n$b = 2;");
    QTest::newRow("no echo, file as it is")
        << QByteArray("<ul>\n<?php foreach ($a as $x): ?>\n  <li><?= $x ?></li>\n<?php endforeach; ?>\n</ul>\n")
        << QByteArray("<ul>\n<?php foreach ($a as $x): ?>\n  <li><?= $x ?></li>\n<?php endforeach; ?>\n</ul>\n");
}

void TestPhpTemplate::templates()
{
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, expected);
    QCOMPARE(templateOf(script), expected);
}

void TestPhpTemplate::errors_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("error");
    QTest::newRow("double quotes") << QByteArray("<p>\n<?php echo \"abc") << QByteArray("2:12: unterminated string");
    QTest::newRow("single quotes") << QByteArray("<?php\r\n$a = 1;\r\n  echo 'a\\'") << QByteArray("3:8: unterminated string");
    QTest::newRow("in an interpolation") << QByteArray("<?php echo \"x {$a[\"k\"]") << QByteArray("1:12: unterminated string");
    QTest::newRow("columns count characters") << QByteArray("<p>Caf\xc3\xa9 \xe9</p><?php echo `ls")
                                              << QByteArray("1:25: unterminated string");
    QTest::newRow("comment") << QByteArray("<?php\n/* no end\n") << QByteArray("2:1: unterminated comment");
    QTest::newRow("heredoc") << QByteArray("<?php\necho <<<EOT\nabc\nEOT") << QByteArray("2:6: unterminated heredoc");
    QTest::newRow("nowdoc") << QByteArray("<?php echo <<<'EOT'\nabc\n EOTX;") << QByteArray("1:12: unterminated nowdoc");
    QTest::newRow("heredoc indentation") << QByteArray("<?php echo <<<EOT\n    a\n  b\n    EOT;")
                                         << QByteArray("3:3: heredoc line indented less than its closing marker");
    QTest::newRow("heredoc tabs and spaces") << QByteArray("<?php echo <<<EOT\n\t a\n \tEOT;")
                                             << QByteArray("3:1: heredoc indentation mixes tabs and spaces");
    QTest::newRow("\\u{} too large") << QByteArray("<?php\n echo \"a\\u{110000}\";") << QByteArray("2:9: \\u{…} escape above U+10FFFF");
    QTest::newRow("\\u{ without }") << QByteArray("<?php echo \"\\u{41\";") << QByteArray("1:13: invalid \\u{…} escape sequence");
    QTest::newRow("array index") << QByteArray("<?php echo \"$a['k']\";") << QByteArray("1:15: invalid array index in a string");
    QTest::newRow("echo without end") << QByteArray("<?php\n\techo 'a'") << QByteArray("2:2: unfinished echo statement");
    QTest::newRow("unbalanced") << QByteArray("<?php print(f($a);") << QByteArray("1:7: unfinished print statement");
    QTest::newRow("empty argument") << QByteArray("<?php echo 'a', ;") << QByteArray("1:17: missing expression in echo statement");
    QTest::newRow("dangling .") << QByteArray("<?php echo 'a' . ;") << QByteArray("1:16: missing operand of .");
    QTest::newRow("halt compiler") << QByteArray("<?php echo 1;\n__halt_compiler(); data")
                                   << QByteArray("2:1: __halt_compiler() is not supported");
    QTest::newRow("close tag in a string") << QByteArray("<?php echo \"{$a ?>\";")
                                           << QByteArray("1:17: closing tag inside a string's {…}");
}

void TestPhpTemplate::errors()
{
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, error);
    QCOMPARE(templateOf(script), error);
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
                                  "print 'c' or f(3);", "print 'd' Or f(3);", "print 'e', 'f';",
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

QTEST_GUILESS_MAIN(TestPhpTemplate)
#include "tst_php_template.moc"
