// JavaScript for code that predates template literals: one double-quoted
// string per line, joined with "+". Safe inside an HTML <script> element
// and in any engine, as the template literal is.
#pragma once

#include "script_writer/target_rules.h"

namespace tagora::rules {

struct JsConcat {
    static constexpr Frame frame{
        .commentPrefix = "// ",
        .generatedBy = "JavaScript",
        .open = "const NAME = \"",
        .lineBreak = "\\n\" +\r\n    \"",
        .close = "\";",
    };
    static constexpr Literal literal{
        .open = "\"",
        .crLf = "\\r\\n\" +\n\"",
        .lf = "\\n\" +\n\"",
        .cr = "\\r",
        .close = "\"",
        .endAfterLf = "\\n\"",
        .endAfterCrLf = "\\r\\n\"",
    };
    static constexpr Escapes escapes{
        .ascii = asciiTable({{'"', "\\\""}, {'\\', "\\\\"}, {'\r', "\\r"}, {'\n', "\\n"}, {'\t', "\\t"}}),
        .pairs = {{{'<', '/', "<\\/"}, {'<', '!', "<\\!"}}},
        .controls = ControlForm::HexByte,
        .beyond = Beyond::LineSeparators,
    };
};

}  // namespace tagora::rules
