// Where the lexers' reading of a number decides what a script means.
// PHP: the numbers of a piece of code are those PHP's own tokenizer finds
// (token_get_all, T_LNUMBER and T_DNUMBER). VBScript: &H and &O literals
// as the language reference describes them ("&O10 is the notation for
// decimal 8"; octal digits are 0 to 7; a trailing & makes a Long).
// And PHP's tokens handed over a piece at a time, against all at once.

#include "script_reader/php_lexer.h"
#include "script_reader/vbscript_lexer.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The text of every number token of the PHP code, one per line.
QByteArray phpNumbers(const QByteArray& code)
{
    const auto lexed = tagora::php::lex(std::string_view(code.constData(), std::size_t(code.size())));
    if (const auto* error = std::get_if<tagora::php::SourceError>(&lexed))
        return "error: " + QByteArray::fromStdString(error->message);
    QByteArray numbers;
    for (const tagora::php::Token& token : std::get<tagora::php::Lexed>(lexed).tokens) {
        if (token.kind == tagora::php::TokenKind::Number)
            numbers += code.mid(token.begin, token.end - token.begin) + '\n';
    }
    return numbers;
}

// The same as PHP's tokenizer gives them.
const char* const kPhpNumbers = R"(foreach (token_get_all(stream_get_contents(STDIN)) as $t)
    if (is_array($t) && ($t[0] == T_LNUMBER || $t[0] == T_DNUMBER)) echo $t[1], "\n";)";

// Kind and text of every VBScript token: "Number &O17", "Word O8"...
QStringList vbscriptTokens(const QByteArray& code)
{
    const std::string_view text(code.constData(), std::size_t(code.size()));
    const tagora::vbscript::Tokens tokens = tagora::vbscript::tokenize(text, 0, text.size());
    QStringList found;
    if (tokens.error)
        found << u"error"_s;
    for (const tagora::vbscript::Token& token : tokens.tokens) {
        const QString kind = token.kind == tagora::vbscript::TokenKind::Number ? u"Number"_s
                             : token.kind == tagora::vbscript::TokenKind::Word ? u"Word"_s
                                                                                : u"Other"_s;
        found << kind + u' ' + QString::fromLatin1(code.mid(token.begin, token.end - token.begin));
    }
    return found;
}

// Each token of PHP code on a line: its place, kind, and its value (a
// string's, a variable's in a string) or line (__LINE__); then the error,
// if any. Brackets' links differ between the two forms and are left out.
struct PhpTokenLines {
    QStringList lines;

    void add(const tagora::php::Lexed& lexed)
    {
        using tagora::php::TokenKind;
        for (const tagora::php::Token& token : lexed.tokens) {
            QString line = QString::number(token.begin) + u'-' + QString::number(token.end) + u' '
                           + QString::number(int(token.kind));
            if (token.kind == TokenKind::String || token.kind == TokenKind::StringText
                || token.kind == TokenKind::StringVariable)
                line += u' ' + QString::fromStdString(std::string(lexed.value(token.link)));
            else if (token.kind == TokenKind::LineConstant)
                line += u' ' + QString::number(token.link);
            lines << line;
        }
    }
    void fail(const tagora::php::SourceError& error)
    {
        lines << u"error at "_s + QString::number(error.offset) + u": "_s + QString::fromStdString(error.message);
    }
};

PhpTokenLines wholeTokens(const QByteArray& code)
{
    PhpTokenLines whole;
    const auto lexed = tagora::php::lex(std::string_view(code.constData(), std::size_t(code.size())));
    if (const auto* error = std::get_if<tagora::php::SourceError>(&lexed))
        whole.fail(*error);
    else
        whole.add(std::get<tagora::php::Lexed>(lexed));
    return whole;
}

// Code of statements that keep state from one token to the next (a name
// after "->", "function" or "const", strings with variables, a heredoc,
// inline HTML), each a few times, so that pieces end at each of its tokens.
QByteArray statements()
{
    QByteArray code = "<?php ";
    for (int i = 0; i < 4; ++i)
        code += "$o->__LINE__; $o->function(__LINE__); const __LINE__ = 1; echo \"a $b[1] {$c->d} \\x41\", 'q\\'s';\n"
                "$h = <<<END\n  x $y\n  END;\n?>html <?= __LINE__ ?> <?php f($a[1], [2]);\n";
    return code;
}

}  // namespace

class TestLexers : public QObject {
    Q_OBJECT

private slots:
    void phpNumbersAsPhpReadsThem_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::newRow("exponents with a sign") << QByteArray("<?php $a = [1e+5, 1E-5, 2.5e+3, 7e-0, 1.e+2];");
        QTest::newRow("exponents without") << QByteArray("<?php $a = [1e5, 1E5, 0.5e10, 3.0];");
        QTest::newRow("no digits after e") << QByteArray("<?php $a = [1 + e, 5 - 2];");
        QTest::newRow("sign without digits") << QByteArray("<?php define('e', 1); $a = [2e + 1, 3e- 1];");
        QTest::newRow("other bases") << QByteArray("<?php $a = [0x1e+5, 0b101, 0o17, 017, 0X1F];");
        QTest::newRow("in a string's index") << QByteArray("<?php $a = [1]; echo \"$a[0] {$a[0]}\", 10e+2;");
    }

    // PHP is the judge: the test runs only where php is.
    void phpNumbersAsPhpReadsThem()
    {
        QFETCH(QByteArray, code);
        const QString php = QStandardPaths::findExecutable(u"php"_s);
        if (php.isEmpty())
            QSKIP("php is not installed");
        QProcess tokenizer;
        tokenizer.start(php, {u"-n"_s, u"-d"_s, u"extension=tokenizer"_s, u"-r"_s, QString::fromLatin1(kPhpNumbers)});
        tokenizer.write(code);
        tokenizer.closeWriteChannel();
        QVERIFY(tokenizer.waitForFinished(30000));
        QCOMPARE(tokenizer.readAllStandardError(), QByteArray());
        QCOMPARE(phpNumbers(code), tokenizer.readAllStandardOutput());
    }

    // A pass over the tokens a piece at a time sees what it would see of
    // them all at once: every token, value and line, whichever token ends
    // a piece; and where the code cannot be read, the same error after the
    // tokens before it.
    void phpPiecesAsWholeTokens_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("error");  // what follows the code and cannot be read
        QTest::newRow("statements") << statements() << QByteArray();
        QTest::newRow("an unclosed string at the end") << statements() << QByteArray("echo 'open");
        QTest::newRow("in an interpolation at the end") << statements() << QByteArray("echo \"{$a->b(\"");
        QTest::newRow("one token") << QByteArray("<?php") << QByteArray();
    }

    void phpPiecesAsWholeTokens()
    {
        QFETCH(QByteArray, code);
        QFETCH(QByteArray, error);
        const QByteArray all = code + error;
        const PhpTokenLines whole = wholeTokens(all);
        const PhpTokenLines tokensBefore = wholeTokens(code);  // of the code before the error
        for (const std::size_t pieceTokens : {1, 2, 3, 5, 7, 4096}) {
            PhpTokenLines pieces;
            const auto failed = tagora::php::lexInPieces(std::string_view(all.constData(), std::size_t(all.size())),
                                                         [&](const tagora::php::Lexed& piece) { pieces.add(piece); },
                                                         pieceTokens);
            if (failed)
                pieces.fail(*failed);
            if (error.isEmpty()) {
                QCOMPARE(pieces.lines, whole.lines);
                continue;
            }
            QCOMPARE(whole.lines.size(), 1);
            QCOMPARE(pieces.lines.last(), whole.lines.last());
            // the tokens handed over before it, as far as the code goes
            const qsizetype before = std::min(pieces.lines.size() - 1, tokensBefore.lines.size());
            QVERIFY(before > 0 || pieceTokens == 4096);
            QCOMPARE(pieces.lines.mid(0, before), tokensBefore.lines.mid(0, before));
        }
    }

    void vbscriptRadixNumbers_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QStringList>("tokens");
        QTest::newRow("octal") << QByteArray("x = &O17 + &o7")
                               << QStringList{"Word x", "Other =", "Number &O17", "Other +", "Number &o7"};
        QTest::newRow("octal Long") << QByteArray("x = &O777&") << QStringList{"Word x", "Other =", "Number &O777&"};
        QTest::newRow("every octal digit") << QByteArray("&O01234567") << QStringList{"Number &O01234567"};
        QTest::newRow("8 is no octal digit") << QByteArray("x = &O8") << QStringList{"Word x", "Other =", "Other &", "Word O8"};
        QTest::newRow("&O alone") << QByteArray("a &O") << QStringList{"Word a", "Other &", "Word O"};
        QTest::newRow("hexadecimal") << QByteArray("&H1F + &hff&") << QStringList{"Number &H1F", "Other +", "Number &hff&"};
        QTest::newRow("G is no hex digit") << QByteArray("a &HG") << QStringList{"Word a", "Other &", "Word HG"};
        QTest::newRow("concatenation") << QByteArray("a &Oa") << QStringList{"Word a", "Other &", "Word Oa"};
    }

    void vbscriptRadixNumbers()
    {
        QFETCH(QByteArray, code);
        QFETCH(QStringList, tokens);
        QCOMPARE(vbscriptTokens(code), tokens);
    }
};

QTEST_GUILESS_MAIN(TestLexers)
#include "tst_lexers.moc"
