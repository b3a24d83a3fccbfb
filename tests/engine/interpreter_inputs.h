// The texts every target's script must print exactly: hand-written cases
// for every kind of character a script must carry, and random ones made of
// such pieces with a fixed seed. The interpreter test runs them in each
// target's interpreter; the web tests compare the WebAssembly engine's
// scripts of them with tagora-convert's.
#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

namespace tagora::testing {

using namespace Qt::StringLiterals;

// Ends each case in the interpreter test's output; no input holds it.
inline constexpr char16_t kCaseEnd = 0x1D;

inline QString characters(char16_t from, char16_t to)
{
    QString text;
    for (char16_t c = from; c <= to; ++c) {
        if (c != kCaseEnd)
            text += QChar(c);
    }
    return text;
}

inline QStringList handWrittenInputs()
{
    const QString nul(QChar(0)), high(QChar(0xD83D)), low(QChar(0xDE00));
    return {
        u"$name $_GET[x] $a->b $this {$x} ${x} {$a['k']} $$v $ @x @{x} @$ @ %h #{x} {{x}} `${x}`"_s,
        uR"(\$x \\$x \{$x} $\x {\$x} \ \\ \" \' \n \t \x41 \u{41} \101 \e \v \f \c \0 \N{U+41} \)"_s,
        uR"(\u0022 \u000a \u000D \u005C \u005c\u0022 \\u0022 \uD800 \U00000041 \u2028 \\)"_s,
        uR"(<a href="x.htm" title="say "hi"">C:\new\table</a> 'it''s' `b` ``)"_s
            + u" \u2018s\u2019 \u201Cq\u201D \u201E \u00AB\u00BB \u2039\u203A \uFF02 \"\"\" x\"\"y \""_s,
        u"<?php echo $t; ?>\r\n<?= $t ?> ?> <?php\r\n?>"_s,
        u"<a onclick=\"alert('hi')\" data-x='{\"k\": \"v\"}'>He said \"yes\"</a>"_s,
        u"<%= x %> 100%> %%>> %>%> % <%@ page %><%"_s, u"50%\r\n> next\r\n%\r\n>\r\n%\r>\r\n%\n>"_s,
        u"<script>var s = \"</script>\";</SCRIPT ></Script\t<!-- x --> <!--<script>--></script"_s,
        u"\r"_s, u"\n"_s, u"\r\n"_s, u"\r\n\r\n\r\n"_s, u"\na\rb\n"_s, u"a\r\r\nb\r\r\n\r"_s,
        u"a\\\r\nb\\\\\r\n\r\n\r\nc\nd\re\r\r\nf\n\rg\r\n"_s, u"\tone\t\ttwo\t \\\t$\t"_s,
        u"' REM x : y _\r\n_\r\nit's & vbCrLf & \"x\" ) ( /* */ -- # ; //"_s,
        characters(1, 0x1F) + u'\x7F', characters(0x80, 0x9F),
        u"caf\u00E9 \u20AC 5 \u2122 \u2026 \u2014 \u0152 \u00FF \u00DF \u00A0"_s,
        u"Gr\u00FC\u00DFe \u0395\u03BB\u03BB\u03AC\u03B4\u03B1 \u65E5\u672C \u0645\u0631\u062D\u0628\u0627"_s + nul
            + u"\U0001F44D\U0001F3FD\r\n\U0001F600$\U00010000\U0010FFFF \uFEFF\uFFFE\uFFFF"_s + nul,
        u"a\u2028b\u2029c\r\n\u2028\r\n\u2029\u0085"_s,
        high, low + u"x"_s + high + u"\r\n"_s + low + high + high + low + low, high + uR"(\u0041 \\u0022)"_s,
        u"HTML"_s, u"HTML\r\n"_s, u"x\r\nHTML"_s,
        u"HTML\r\nHTML;\r\n  HTML;\r\n\tHTML,\r\nHTML1\r\nHTML2x\r\n HTML1)\r\nHTML_\r\n"_s,
        u"<li class=\"n\">\"%\r\n>\\n\t${i} \u00E9 $x @y %> `</script> \u20AC</li>\r\n"_s.repeated(2000),
    };
}

// Random inputs: each 1 to 30 pieces of the kinds a script must carry.
inline QStringList randomInputs(bool (*takes)(const QString&), int count)
{
    QStringList pieces{
        u"$"_s, u"$name"_s, u"${x}"_s, u"{$x}"_s, u"{"_s, u"}"_s, u"@"_s, u"@x"_s, u"@{x}"_s, u"%h"_s,
        u"`"_s, u"\\"_s, u"\\\\"_s, u"\\\""_s, u"\""_s, u"'"_s, u"\u2018"_s, u"\u201D"_s, u"\u00AB"_s,
        u"\uFF02"_s, u"\t"_s, QString(QChar(0)), u"\x01"_s, u"\b"_s, u"\v"_s, u"\f"_s, u"\x1B"_s, u"\x7F"_s,
        u"\u0085"_s, u"\r"_s, u"\n"_s, u"\r\n"_s, u"\r\nHTML\r\n"_s, u"\r\n  HTML;"_s, u"HTML1"_s,
        u"</script"_s, u"</SCRIPT>"_s, u"<!--"_s, u"-->"_s, u"%>"_s, u"<%"_s, u"?>"_s, u"<?php"_s,
        u"\\u0022"_s, u"\\u000a"_s, u"\\n"_s, u"\\x41"_s, u"\\101"_s, u"\u00E9"_s, u"\u20AC"_s, u"\u65E5"_s,
        u"\U0001F600"_s, u"\u2028"_s, u"\u2029"_s, u"\uFEFF"_s, QString(QChar(0xD800)), QString(QChar(0xDFFF)),
        u" "_s, u"x"_s, u"<p>"_s,
    };
    if (takes)
        pieces.removeIf([takes](const QString& piece) { return !takes(piece); });
    QRandomGenerator random(20261206);
    QStringList inputs;
    for (int i = 0; i < count; ++i) {
        QString html;
        for (int p = 1 + random.bounded(30); p > 0; --p)
            html += pieces[random.bounded(pieces.size())];
        inputs << html;
    }
    return inputs;
}

}  // namespace tagora::testing
