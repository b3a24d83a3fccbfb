// JSP: one scriptlet of out.print statements, one per line, straight after
// the page directive (anything between them would be printed). The script
// is ASCII: every character beyond it is a \uXXXX escape, so the page
// reads the same in any page encoding. Java turns \uXXXX escapes into
// characters before it reads the source, so none is ever written for a
// quote, a backslash or a line break: control characters are written as
// octal escapes. "%>" would end the scriptlet, so ">" after "%" is an
// escape too. A backslash before "u" is written \134: javac reads "\\u"
// wrongly right after the escape of a lone high surrogate.
#pragma once

#include "script_writer/target_rules.h"

namespace tagora::rules {

struct Jsp {
    static constexpr Frame frame{
        .firstLine = "<%@ page contentType=\"text/html; charset=UTF-8\" %><%",
        .commentPrefix = "// ",
        .generatedBy = "JSP Script",
        .open = "out.print(\"",
        .lineBreak = "\\n\");\r\nout.print(\"",
        .close = "\");",
        .footer = "%>",
    };
    static constexpr Literal literal{.open = "\"", .crLf = "\\r\\n", .lf = "\\n", .cr = "\\r", .close = "\""};
    static constexpr Escapes escapes{
        .ascii = asciiTable({{'"', "\\\""}, {'\\', "\\\\"}, {'\r', "\\r"}, {'\n', "\\n"}, {'\t', "\\t"}}),
        .pairs = {{{'%', '>', "%\\u003E"}, {'\\', 'u', "\\134u"}}},
        .controls = ControlForm::Octal,
        .beyond = Beyond::All,
    };
};

}  // namespace tagora::rules
