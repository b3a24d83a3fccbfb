// JSP: a scriptlet straight after the page directive (anything between
// them would be printed), holding out.write statements, one per line, in
// parts: each part is the method of an anonymous class, called at once.
// Java limits a method's code to 64 KB, a class to 65,535 constants and a
// string constant to 65,535 bytes, so a part holds at most a few thousand
// statements and a string at most about 48 KB of script (each character
// of the script at most a byte of the constant). The
// method takes a java.io.Writer, which every container's JspWriter is.
// The script is ASCII: every character beyond it is a \uXXXX escape, so
// the page reads the same in any page encoding. Java turns \uXXXX escapes
// into characters before it reads the source, so none is ever written for
// a quote, a backslash or a line break: control characters are written as
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
        .preamble = "new Object() { void print(java.io.Writer out) throws java.io.IOException {\r\n",
        .open = "out.write(\"",
        .lineBreak = "\\n\");\r\nout.write(\"",
        .close = "\");\r\n}}.print(out);",
        .footer = "%>",
        .split = "\");\r\nout.write(\"",
        .maxString = 49152,
        .maxStatements = 2000,
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
