// The script the window shows, written into a QString a piece at a time,
// is the one the engine writes for the whole text.
#include "script_writer/script_generator.h"
#include "text_conversion.h"

#include <QtTest>

using namespace tagora;
using namespace tagora::runtime;

class TextConversionTest : public QObject {
    Q_OBJECT

private slots:
    // A page longer than the pieces, with a CR LF, a surrogate pair and
    // ASP's "%>" across their edges, and a script several times longer
    // than the page: for every target and both escapings, the script is
    // script()'s for the whole text.
    void scriptWrittenInPieces()
    {
        constexpr qsizetype kPiece = 256;  // small: a short page crosses several
        QString html;
        // Short lines of quotes and backslashes up to the unit before the edge.
        const auto fillUpTo = [&html](qsizetype edge) {
            while (html.size() + 20 < edge - 1)
                html += QStringLiteral("\"\\").repeated(9) + QStringLiteral("\r\n");
            html += QString(edge - 1 - html.size(), QLatin1Char('"'));
        };
        fillUpTo(kPiece);
        html += QStringLiteral("\r\n");
        fillUpTo(2 * kPiece);
        html += QStringLiteral("\U0001F600");
        fillUpTo(3 * kPiece);
        html += QStringLiteral("%>\x01$\u2028\r\n");
        int grown = 0;
        for (const Escaping escaping : {Escaping::Exact, Escaping::Classic}) {
            for (const TargetInfo& info : targets()) {
                const QString expected = fromU16(*script(info.target, escaping, toU16(html)));
                grown += expected.size() > html.size() * 3 / 2;  // longer than the room first given
                const std::optional<QString> written = scriptText(info.target, escaping, html, {}, kPiece);
                QVERIFY(written);
                QCOMPARE(*written, expected);
            }
        }
        QVERIFY(grown > 8);
        QVERIFY(!scriptText(Target::Php, Escaping::Exact, QString()));
        const ScriptOptions options{false, "page"};
        QCOMPARE(*scriptText(Target::Js, Escaping::Exact, html, options, kPiece),
                 fromU16(*script(Target::Js, Escaping::Exact, toU16(html), options)));
    }
};

QTEST_MAIN(TextConversionTest)
#include "tst_text_conversion.moc"
