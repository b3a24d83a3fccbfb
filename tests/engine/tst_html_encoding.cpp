// How a page's encoding is found: the <meta> prescan, label lookup and
// byte-order marks. Each expected value is worked out by hand from the
// published rules, not from the program: the HTML standard's "prescan a
// byte stream to determine its encoding" (with "get an attribute" and
// "extracting a character encoding from a meta element"), the WHATWG
// Encoding Standard's table of labels, and Unicode's byte-order marks.

#include "input_text/html_encoding.h"

#include <QTest>

using namespace tagora::html;
using namespace std::literals;

class TestHtmlEncoding : public QObject {
    Q_OBJECT

private slots:
    void prescan_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("encoding");  // empty: none declared
        const auto row = [](const char* name, const char* page, const char* encoding) {
            QTest::newRow(name) << QByteArray(page) << QByteArray(encoding);
        };
        // Getting an encoding: ASCII whitespace around a label and its case do not count.
        row("label with spaces and capitals", "<meta charset=\" KOI8-R \">", "KOI8-R");
        row("empty label", "<meta charset=\"\">", "");
        row("unknown label, then a known one", "<meta charset=bogus><p><meta charset=latin2>", "ISO-8859-2");
        // The prescan's own replacements.
        row("UTF-16 means UTF-8", "<meta charset=utf-16be>", "UTF-8");
        row("x-user-defined means windows-1252", "<meta charset=x-user-defined>", "windows-1252");
        // Get an attribute: blanks around "=", a name with no value, a value that is ">".
        row("blanks around =", "<meta charset = koi8-r>", "KOI8-R");
        row("a name with no value first", "<meta foo charset=koi8-r>", "KOI8-R");
        row("the value is >", "<meta charset=><meta charset=koi8-r>", "KOI8-R");
        row("/ before the attributes", "<meta/charset=koi8-r>", "KOI8-R");
        row("/ after an unquoted value belongs to it", "<meta charset=koi8-r/><meta charset=latin2>", "ISO-8859-2");
        row("only the first of two charset attributes", "<meta charset=koi8-r charset=latin2>", "KOI8-R");
        // content="...charset=..." counts with http-equiv="content-type" only, either side of it.
        row("content without http-equiv", "<meta content=\"text/html; charset=koi8-r\">", "");
        row("content, then http-equiv", "<meta content=\"text/html; charset=koi8-r\" http-equiv=Content-Type>",
            "KOI8-R");
        row("quoted label in content",
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset='iso-8859-2'\">", "ISO-8859-2");
        row("unclosed quote in content", "<meta http-equiv=content-type content=\"charset='koi8-r\">", "");
        row("charset with no = , then one with", "<meta http-equiv=content-type content=\"charsetx charset=koi8-r\">",
            "KOI8-R");
        row("content ending after =", "<meta http-equiv=content-type content=\"text/html; charset=\">", "");
        row("unquoted label in content ends at ;",
            "<meta http-equiv=content-type content=\"charset=koi8-r;x\">", "KOI8-R");
        row("unknown label in content", "<meta http-equiv=content-type content=\"charset=bogus\">", "");
        // charset beats content; a charset that names nothing leaves none.
        row("charset after content", "<meta http-equiv=content-type content=\"charset=koi8-r\" charset=latin2>",
            "ISO-8859-2");
        row("unknown charset, then content",
            "<meta charset=bogus content=\"charset=koi8-r\" http-equiv=content-type>", "");
        // What the prescan skips.
        row("comment sharing the dashes of <!--", "<!--><meta charset=koi8-r>-->", "KOI8-R");
        row("meta inside a comment", "<!-- <meta charset=koi8-r> --><meta charset=latin2>", "ISO-8859-2");
        row("meta in an attribute of another tag", "<a title=\"<meta charset=koi8-r>\"><meta charset=latin2>",
            "ISO-8859-2");
        row("<metadata> is no meta", "<metadata charset=koi8-r><meta charset=latin2>", "ISO-8859-2");
        row("an end tag's attributes", "</x <meta charset=koi8-r><meta charset=latin2>", "ISO-8859-2");
        row("<! up to >", "<!doctype <meta charset=koi8-r><meta charset=latin2>", "ISO-8859-2");
        row("<? up to >", "<?x <meta charset=koi8-r><meta charset=latin2>", "ISO-8859-2");
    }

    void prescan()
    {
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, encoding);
        const MetaCharset declared = declaredCharset(std::string_view(page.constData(), std::size_t(page.size())));
        QCOMPARE(QByteArray(declared.encoding.value_or("").data(), qsizetype(declared.encoding.value_or("").size())),
                 encoding);
    }

    // A label that names nothing is kept, for the message that says it
    // was passed over: the first such one.
    void labelPassedOver()
    {
        QCOMPARE(declaredCharset("<meta charset=bogus><meta charset=other>").label, "bogus");
        QCOMPARE(declaredCharset("<meta http-equiv=content-type content=\"charset=bogus\">").label, "bogus");
        QCOMPARE(declaredCharset("<meta charset=bogus><meta charset=koi8-r>").label, "koi8-r");
        const EncodingChoice choice = chooseEncoding("<meta charset=bogus>\xff");
        QCOMPARE(choice.source, EncodingSource::Guessed);
        QCOMPARE(choice.ignoredLabel, "bogus");
    }

    // The Encoding Standard's table: labels of each kind of entry.
    void labels()
    {
        QCOMPARE(encodingForLabel("\t\n\f\r unicode-1-1-utf-8 ").value_or("none"), kUtf8);
        QCOMPARE(encodingForLabel("ISO_8859-1:1987").value_or("none"), kWindows1252);
        QCOMPARE(encodingForLabel("x-sjis").value_or("none"), "Shift_JIS");
        QCOMPARE(encodingForLabel("csiso2022kr").value_or("none"), kReplacement);
        QCOMPARE(encodingForLabel("unicodefffe").value_or("none"), kUtf16BE);
        QCOMPARE(encodingForLabel("ucs-2").value_or("none"), kUtf16LE);
        QCOMPARE(encodingForLabel("utf8 x").value_or("none"), "none");
        QCOMPARE(encodingForLabel("   ").value_or("none"), "none");
    }

    // Unicode's byte-order marks, and the choice made from each.
    void byteOrderMarks()
    {
        const auto mark = [](std::string_view bytes) {
            const std::optional<EncodingChoice> choice = markedEncoding(bytes);
            return choice && choice->source == EncodingSource::ByteOrderMark
                       ? QByteArray(choice->encoding.data(), qsizetype(choice->encoding.size()))
                             + QByteArray::number(qulonglong(choice->markSize))
                       : QByteArray("none");
        };
        QCOMPARE(mark("\xEF\xBB\xBFx"), "UTF-83");
        QCOMPARE(mark("\xFF\xFEx\0"sv), "UTF-16LE2");
        QCOMPARE(mark("\xFE\xFF\0x"sv), "UTF-16BE2");
        QCOMPARE(mark("\xEF\xBBx"), "none");
    }

    // UTF-16 without a mark: a high surrogate followed by anything but a
    // low one is no UTF-16; a pair is.
    void unmarkedSurrogates()
    {
        QCOMPARE(unmarkedUtf16("a\0b\0\x3D\xD8\x00\xDE" "c\0"sv).value_or("none"), kUtf16LE);
        QCOMPARE(unmarkedUtf16("a\0b\0\x3D\xD8x\0c\0"sv).value_or("none"), "none");
        QCOMPARE(unmarkedUtf16("\0a\0b\xD8\x3D\xDE\x00\0c"sv).value_or("none"), kUtf16BE);
        QCOMPARE(unmarkedUtf16("\0a\0b\xDE\x00\0c\0d"sv).value_or("none"), "none");
    }
};

QTEST_GUILESS_MAIN(TestHtmlEncoding)
#include "tst_html_encoding.moc"
