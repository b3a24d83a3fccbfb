// JSP both ways, judged by javac and java, and by Jasper (Tomcat's JSP
// compiler) where Debian's libtomcat10-embed-java is installed:
// - a hand-written page and its template print the same, run through a
//   plain model of what a container does with a page (template text
//   written, scriptlets run, <%= %> printed), with `out` a PrintWriter,
//   whose print, println and write are a JspWriter's;
// - pages of 50,000 lines and of one line of 1 MB (ASCII, CJK) make JSP
//   that javac and Jasper compile (Java's limits: 64 KB of code per
//   method, 65,535 bytes per string constant and constants per class),
//   that prints the page, and that reads back exactly;
// - the language of a page to read back is told by what it holds.

#include "case_file.h"
#include "random_jsp_page.h"
#include "script_reader/jsp_template.h"
#include "script_reader/script_reader.h"
#include "script_reader/script_to_html.h"
#include "script_writer/script_generator.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr char kCaseEnd = '\x1D';
const QString kJars = u"/usr/share/java"_s;
const QStringList kJasperJars{u"tomcat10-embed-jasper.jar"_s, u"tomcat10-embed-core.jar"_s, u"tomcat10-embed-el.jar"_s};

std::string_view view(const QByteArray& bytes)
{
    return {bytes.constData(), size_t(bytes.size())};
}

// The template, or the error as "line:column: message".
QByteArray templateOf(const QByteArray& page)
{
    const auto result = tagora::jspTemplate(view(page));
    if (const auto* error = std::get_if<tagora::ScriptReadError>(&result))
        return QByteArray::number(qulonglong(error->line)) + ':' + QByteArray::number(qulonglong(error->column))
               + ": " + QByteArray::fromStdString(error->message);
    return QByteArray::fromStdString(std::get<std::string>(result));
}

// A Java string literal of the text, every unit beyond ASCII escaped.
QString javaString(const QString& text)
{
    QString literal = u"\""_s;
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            literal += u'\\' + c;
        else if (c == u'\n')
            literal += u"\\n"_s;
        else if (c == u'\r')
            literal += u"\\r"_s;
        else if (c.unicode() < 0x20 || c.unicode() >= 0x7F)
            literal += u"\\u%1"_s.arg(uint(c.unicode()), 4, 16, QChar(u'0'));
        else
            literal += c;
    }
    return literal + u'"';
}

// What a container makes of a page: a method that writes its template
// text, runs its scriptlets and prints its expressions; directives and
// comments print nothing; declarations become members of its class.
struct JavaOfPage {
    QString method;
    QString members;
};

JavaOfPage javaOfPage(const QString& page)
{
    JavaOfPage java{u"static void page(java.io.PrintWriter out) throws Exception {\n"_s, {}};
    qsizetype at = 0;
    while (at < page.size()) {
        const qsizetype open = page.indexOf(u"<%"_s, at);
        QString text = page.mid(at, open < 0 ? -1 : open - at);
        // Jasper writes text of three UTF-16 units or fewer char by char,
        // which Tomcat's encoder turns into '?' for each half of a pair.
        if (text.size() <= 3) {
            for (QChar& c : text)
                c = c.isSurrogate() ? u'?' : c;
        }
        if (!text.isEmpty())
            java.method += u"out.write(%1);\n"_s.arg(javaString(text));
        if (open < 0)
            break;
        const bool comment = page.mid(open, 4) == u"<%--"_s;
        const qsizetype close = page.indexOf(comment ? u"--%>"_s : u"%>"_s, open + 2);
        const QString inside = page.mid(open + 2, close - open - 2);
        at = close + (comment ? 4 : 2);
        if (comment || inside.startsWith(u'@'))
            continue;
        if (inside.startsWith(u'!'))
            java.members += u"static "_s + inside.mid(1) + u'\n';  // the method is static
        else if (inside.startsWith(u'='))
            java.method += u"out.print(%1);\n"_s.arg(inside.mid(1));
        else
            java.method += inside + u'\n';
    }
    java.method += u"}\n"_s;
    return java;
}

struct Ran {
    QByteArray out;
    QString error;
};

Ran run(const QString& directory, const QString& program, const QStringList& arguments, int seconds = 120)
{
    QProcess process;
    process.setWorkingDirectory(directory);
    process.start(program, arguments);
    if (!process.waitForFinished(seconds * 1000)) {
        process.kill();
        process.waitForFinished();
        return {{}, program + u" did not finish"_s};
    }
    const QByteArray errors = process.readAllStandardError();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {process.readAllStandardOutput(), program + u": "_s + QString::fromUtf8(errors.left(2000))};
    return {process.readAllStandardOutput(), {}};
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Each page run as a container would; what each printed, in order.
QList<QByteArray> runPages(const QString& directory, const QList<QByteArray>& pages, QString& error)
{
    QFile head(QStringLiteral(TAGORA_JAVA_DRIVERS "/Pages.java.head"));
    QString source = head.open(QIODevice::ReadOnly) ? QString::fromUtf8(head.readAll()) : QString();
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const JavaOfPage java = javaOfPage(QString::fromUtf8(pages[i]));
        source += u"static class Page%1 {\n%2%3}\n"_s.arg(i).arg(java.members, java.method);
    }
    source += u"}\n"_s;
    if (!writeFile(directory + u"/Pages.java"_s, source.toUtf8()))
        return error = u"cannot write Pages.java"_s, QList<QByteArray>{};
    const QString quick = u"-XX:TieredStopAtLevel=1"_s;
    if (const Ran compiled = run(directory, u"javac"_s, {u"-J"_s + quick, u"-encoding"_s, u"UTF-8"_s, u"Pages.java"_s});
        !compiled.error.isEmpty())
        return error = compiled.error, QList<QByteArray>{};
    const Ran ran = run(directory, u"java"_s,
                        {quick, u"-Dline.separator=\n"_s, u"-cp"_s, u"."_s, u"Pages"_s, QString::number(pages.size())});
    error = ran.error;
    QList<QByteArray> printed = ran.out.split(kCaseEnd);
    printed.removeLast();
    return printed;
}

// Jasper's jars and the stubs, or nothing without Jasper.
QString jasperClassPath(const QString& stubs)
{
    QStringList path{stubs};
    for (const QString& jar : kJasperJars) {
        if (!QFileInfo::exists(kJars + u'/' + jar))
            return {};
        path << kJars + u'/' + jar;
    }
    return path.join(u':');
}

// Jasper's JspC turns the pages of the folder into servlets' Java, which
// javac compiles. JspC is an Ant task: the few Ant classes it names are
// stubs (jasper/), compiled first.
QString jasperCompiles(const QString& directory, const QStringList& pages)
{
    const QString stubs = directory + u"/stubs"_s;
    QStringList stubSources;
    for (QDirIterator it(u"" TAGORA_JASPER_STUBS ""_s, {u"*.java"_s}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();)
        stubSources << it.next();
    if (const Ran built = run(directory, u"javac"_s, QStringList{u"-d"_s, stubs} + stubSources); !built.error.isEmpty())
        return built.error;
    const QString classPath = jasperClassPath(stubs);
    const Ran generated = run(directory, u"java"_s,
                              QStringList{u"-cp"_s, classPath, u"org.apache.jasper.JspC"_s, u"-uriroot"_s, u"web"_s,
                                          u"-d"_s, u"generated"_s, u"-p"_s, u"pages"_s}
                                  + pages);
    if (!generated.error.isEmpty() || generated.out.contains("ERROR"))
        return generated.error + QString::fromUtf8(generated.out.left(2000));
    QStringList javaFiles;
    for (QDirIterator it(directory + u"/generated"_s, {u"*.java"_s}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();)
        javaFiles << it.next();
    if (javaFiles.size() != pages.size())
        return u"JspC made %1 servlets of %2 pages"_s.arg(javaFiles.size()).arg(pages.size());
    return run(directory, u"javac"_s,
               QStringList{u"-J-XX:TieredStopAtLevel=1"_s, u"-encoding"_s, u"UTF-8"_s, u"-cp"_s, classPath, u"-d"_s,
                           u"classes"_s}
                   + javaFiles,
               300)
        .error;
}

// What the reader makes of the script fed in blocks of the size.
QByteArray readInBlocks(std::string_view script, std::size_t block)
{
    tagora::ScriptReader reader;
    QByteArray printed, out(qsizetype(tagora::ScriptReader::maxFeedSize(block) + tagora::ScriptReader::kMaxFinishSize), 0);
    for (std::size_t at = 0; at < script.size(); at += block) {
        const char* const end = reader.feed(script.substr(at, block), out.data());
        if (!end)
            return "<not read>";
        printed.append(out.constData(), end - out.constData());
    }
    const char* const end = reader.finish(out.data());
    return end ? printed.append(out.constData(), end - out.constData()) : "<not read>";
}

QByteArray cjkLine(qsizetype bytes)
{
    QString line;
    auto* random = QRandomGenerator::global();
    while (line.size() * 3 < bytes) {
        line += QChar(char16_t(0x4E00 + random->bounded(0x5000)));
        if (line.size() % 1000 == 0)
            line += QString::fromUcs4(U"\U00020BB7");  // beyond the BMP: a surrogate pair in Java
    }
    return line.toUtf8();
}

QByteArray asciiLine(qsizetype bytes)
{
    QByteArray line;
    auto* random = QRandomGenerator::global();
    static constexpr char kCharacters[] = "abc <p>\"\\%>&$#{}'\t";
    while (line.size() < bytes)
        line += kCharacters[random->bounded(int(sizeof kCharacters - 1))];
    return line;
}

}  // namespace

class TestJsp : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void templates_data();
    void templates();
    void templatesPrintTheSame();
    void errors_data();
    void errors();
    void notesTellWhy_data();
    void notesTellWhy();
    void languages_data();
    void languages();
    void largePagesCompile();
    void randomPagesPrintTheSame();
    void jasperCompilesEveryPage();

private:
    static void addCases(const QByteArray& key);
    bool addForJasper(const QString& name, const QByteArray& page);

    QTemporaryDir m_directory;
    QList<QByteArray> m_pages;
    QStringList m_jasperPages;
};

void TestJsp::initTestCase()
{
    QVERIFY(m_directory.isValid());  // CTest skips the test without java and javac
}

// Hand-written pages of jsp_cases.txt: each converted or kept whole, as
// the template shows.
void TestJsp::templates_data()
{
    addCases("out");
}

void TestJsp::templates()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, expected);
    const QByteArray made = templateOf(page);
    m_pages << page << made;  // for templatesPrintTheSame, whatever the template
    QCOMPARE(made, expected);
}

// Every page of templates() and the program's own JSP, edited, with its
// template: java prints the same for both (and Jasper compiles them below).
void TestJsp::templatesPrintTheSame()
{
    QByteArray own = QByteArray::fromStdString(*tagora::script(tagora::Target::Jsp, tagora::Escaping::Exact,
                                                               "<h1>\"Caf\xC3\xA9\"</h1>\r\n<p>%> \\u</p>\r\n"));
    own.replace("<p>", "<p>\" + (6 * 7) + \"");  // an edit: the script is no longer this program's
    const auto html = tagora::htmlFromScript(view(own));
    QVERIFY(html.html && !html.exact && html.target == tagora::Target::Jsp);
    QVERIFY(html.html->find("out.write(\"<h1>") == std::string::npos);
    QList<QByteArray> pages = m_pages;
    pages << own << QByteArray::fromStdString(*html.html);
    QString error;
    const QList<QByteArray> printed = runPages(m_directory.path() + u"/templates"_s, pages, error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(printed.size(), pages.size());
    for (qsizetype i = 0; i < pages.size(); i += 2)
        QVERIFY2(printed[i] == printed[i + 1] && !printed[i].startsWith("failed"),
                 qPrintable(QString::fromUtf8(pages[i] + " prints " + printed[i] + ", its template " + printed[i + 1])));
    for (qsizetype i = 0; i < pages.size(); ++i)
        QVERIFY(addForJasper(u"page%1.jsp"_s.arg(i), pages[i]));
}

// Why each print left as code is, where it starts.
void TestJsp::notesTellWhy_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QStringList>("notes");
    QTest::newRow("each kind")
        << QByteArray("<% if (a) out.print(\"x\");\n  out.write(65); out.print(1 + \"a\"); out.print(\"${x}\");\n"
                      "out.print(\"a\" + b * 2); f(() -> out.print(\"y\")); out.print(\"z\" + b); %>")
        << QStringList{u"1:11 it is the body of an if, else or loop without braces"_s,
                       u"2:3 out.write of a number writes a character"_s,
                       u"2:18 its argument does not start with a string: + may add numbers first"_s,
                       u"2:38 its text holds what a JSP page reads as code: EL, a tag, <%, a backslash"_s,
                       u"3:1 its argument joins values with an operator other than +"_s,
                       u"3:33 it is inside an expression"_s};
    QTest::newRow("text Jasper writes char by char")
        << QByteArray("<%@ page pageEncoding=\"UTF-8\" %><% out.print(\"\xF0\x9F\x98\x80\"); %>")
        << QStringList{u"1:36 its text holds a character beyond U+FFFF that Jasper would write char by char, as \"??\""_s};
}

void TestJsp::notesTellWhy()
{
    QFETCH(QByteArray, page);
    tagora::WriteNotes notes;
    QVERIFY(std::holds_alternative<std::string>(tagora::jspTemplate(view(page), &notes)));
    QStringList written;
    for (const tagora::WriteNote& note : notes)
        written << u"%1:%2 %3"_s.arg(note.line).arg(note.column).arg(QString::fromStdString(note.reason));
    QTEST(written, "notes");
}

void TestJsp::errors_data()
{
    addCases("err");
}

void TestJsp::errors()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, expected);
    QCOMPARE(templateOf(page), expected);
}

// What each page is read as, by what it holds.
void TestJsp::languages_data()
{
    addCases("language");
}

void TestJsp::languages()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, expected);
    const tagora::HtmlFromScript html = tagora::htmlFromScript(view(page));
    if (expected.contains(':')) {
        QVERIFY(!html.html);
        QCOMPARE(u"%1:%2"_s.arg(html.error.line).arg(html.error.column).toUtf8(), expected);
        if (expected != "1:1")
            QVERIFY2(QByteArray::fromStdString(html.error.message).contains("--from"), html.error.message.c_str());
        return;
    }
    QVERIFY2(html.html, html.error.message.c_str());
    QCOMPARE(QByteArray::fromStdString(std::string(tagora::targetInfo(*html.target).name)), expected);
    const QByteArray made = QByteArray::fromStdString(*html.html);
    QVERIFY(!made.contains("Response.Write") && !made.contains("<?php xml") && !made.contains("out.println(\""));
}

// Pages far beyond Java's limits for one method or one string, as JSP:
// javac compiles them as a container's servlet holds them (and Jasper
// below); java prints each page exactly; each reads back;
// the window writes the same JSP from its UTF-16 text.
void TestJsp::largePagesCompile()
{
    QByteArray lines;
    for (int i = 0; i < 50'000; ++i)
        lines += "<tr><td>" + QByteArray::number(i) + "</td><td>\xE2\x82\xAC</td></tr>\r\n";
    const QList<QByteArray> inputs{lines, asciiLine(1 << 20), cjkLine(1 << 20)};
    // A string is never split between the halves of a surrogate pair.
    const QByteArray emoji = "abcdef" + QByteArray("\xF0\x9F\x98\x80").repeated(50'000);  // a split due on a high half
    const auto fromUtf8 = tagora::script(tagora::Target::Jsp, tagora::Escaping::Exact, view(emoji));
    const auto fromWindow = tagora::script(tagora::Target::Jsp, tagora::Escaping::Exact,
                                           QString::fromUtf8(emoji).toStdU16String());
    QVERIFY(fromUtf8 && fromWindow && QString::fromStdU16String(*fromWindow).toStdString() == *fromUtf8);
    QVERIFY(QByteArray::fromStdString(*fromUtf8).count("out.write(") > 1);
    QList<QByteArray> pages, printedByThePage;
    QStringList names;
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        const auto made = tagora::script(tagora::Target::Jsp, tagora::Escaping::Exact, view(inputs[i]));
        QVERIFY(made);
        pages << QByteArray::fromStdString(*made);
        const auto window = tagora::script(tagora::Target::Jsp, tagora::Escaping::Exact,
                                           QString::fromUtf8(inputs[i]).toStdU16String());
        QVERIFY2(window && QString::fromStdU16String(*window).toUtf8() == pages.last(), "the window's JSP differs");
        printedByThePage << QByteArray(inputs[i]).replace("\r\n", "\n");
        const tagora::ReadScript read = tagora::readScript(*made);
        QVERIFY2(read.printed && QByteArray::fromStdString(*read.printed) == printedByThePage.last(),
                 read.error.message.c_str());
        for (const std::size_t block : {7, 161})  // the edges of blocks cut splits and parts
            QVERIFY2(readInBlocks(*made, block) == printedByThePage.last(), qPrintable(u"blocks of %1"_s.arg(block)));
        names << u"large%1.jsp"_s.arg(i);
        QVERIFY(addForJasper(names.last(), pages.last()));
    }
    QString error;
    const QList<QByteArray> printed = runPages(m_directory.path() + u"/large"_s, pages, error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(printed.size(), pages.size());
    for (qsizetype i = 0; i < pages.size(); ++i)
        QVERIFY2(printed[i] == printedByThePage[i], qPrintable(names[i]));
}

// Random pages (random_jsp_page.h) and their templates print the same:
// TAGORA_JSP_RANDOM_CASES of them (default 30), from TAGORA_JSP_RANDOM_SEED
// (and Jasper compiles them below).
void TestJsp::randomPagesPrintTheSame()
{
    const int count = qEnvironmentVariable("TAGORA_JSP_RANDOM_CASES", u"30"_s).toInt();
    const quint32 seed = qEnvironmentVariable("TAGORA_JSP_RANDOM_SEED", u"20261207"_s).toUInt();
    QRandomGenerator random(seed);
    QList<QByteArray> pages;
    int refused = 0;
    for (int i = 0; i < count; ++i) {
        const QByteArray page = randomJspPage(random);
        const QByteArray made = templateOf(page);
        if (!made.contains("<%")) {  // an error, "line:column: message"
            ++refused;
            qWarning().noquote() << "refused:" << made << "\n" << page;
            continue;
        }
        pages << page << made;
    }
    QString error;
    const QList<QByteArray> printed = runPages(m_directory.path() + u"/random"_s, pages, error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(printed.size(), pages.size());
    int different = 0;
    for (qsizetype i = 0; i < pages.size(); i += 2) {
        if (printed[i] != printed[i + 1]) {
            ++different;
            qWarning().noquote() << pages[i] << "\nprints\n" << printed[i] << "\nits template\n" << pages[i + 1]
                                 << "\nprints\n" << printed[i + 1];
        }
        QVERIFY(addForJasper(u"random%1.jsp"_s.arg(i), pages[i]));
        QVERIFY(addForJasper(u"random%1.jsp"_s.arg(i + 1), pages[i + 1]));
    }
    qInfo().noquote() << u"random JSP pages: %1, converted %2, refused %3, printed the same %4, printed differently %5 (seed %6)"_s
                             .arg(count).arg(count - refused).arg(refused).arg(count - refused - different).arg(different).arg(seed);
    QCOMPARE(different, 0);
    QCOMPARE(refused, 0);
}

// Every page above, hand-written, template or large, compiled by Jasper
// at one go.
void TestJsp::jasperCompilesEveryPage()
{
    if (jasperClassPath({}).isEmpty())
        QSKIP("Jasper (libtomcat10-embed-java) is not installed: javac's checks only");
    QVERIFY(!m_jasperPages.isEmpty());
    const QString jasper = jasperCompiles(m_directory.path() + u"/jasper"_s, m_jasperPages);
    QVERIFY2(jasper.isEmpty(), qPrintable(jasper));
}

// The cases of jsp_cases.txt that hold the key ("out": those that hold
// neither "err" nor "language"), as rows of the page and its value.
void TestJsp::addCases(const QByteArray& key)
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("expected");
    const QList<testcases::Case> cases = testcases::readCases(QStringLiteral(TAGORA_JSP_CASES));
    QVERIFY(!cases.isEmpty());
    for (const auto& [name, values] : cases) {
        const bool isTemplate = !values.contains("err") && !values.contains("language");
        if (key == "out" ? isTemplate : values.contains(key))
            QTest::newRow(name.constData()) << values["in"] << values.value(key, values["in"]);
    }
}

bool TestJsp::addForJasper(const QString& name, const QByteArray& page)
{
    m_jasperPages << name;
    return writeFile(m_directory.path() + u"/jasper/web/"_s + name, page);
}

QTEST_GUILESS_MAIN(TestJsp)
#include "tst_jsp.moc"
