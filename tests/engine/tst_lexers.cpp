// Where the lexers' reading of a number decides what a script means.
// PHP: the numbers of a piece of code are those PHP's own tokenizer finds
// (token_get_all, T_LNUMBER and T_DNUMBER). VBScript: &H and &O literals
// as the language reference describes them ("&O10 is the notation for
// decimal 8"; octal digits are 0 to 7; a trailing & makes a Long).

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
