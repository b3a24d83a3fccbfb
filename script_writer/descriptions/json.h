// JSON: the text as one string value and nothing else (JSON has no
// comments). As safe inside an HTML <script> element as the JavaScript
// targets; JSON has no "\!", so "<!" is written "\u003C!".
#pragma once

#include "script_writer/target_rules.h"

namespace tagora::rules {

struct Json {
    static constexpr Frame frame{
        .open = "\"",
        .lineBreak = "\\n",
        .close = "\"",
    };
    static constexpr Literal literal{.open = "\"", .crLf = "\\r\\n", .lf = "\\n", .cr = "\\r", .close = "\""};
    static constexpr Escapes escapes{
        .ascii = asciiTable({{'"', "\\\""}, {'\\', "\\\\"}, {'\r', "\\r"}, {'\n', "\\n"}, {'\t', "\\t"}}),
        .pairs = {{{'<', '/', "<\\/"}, {'<', '!', "\\u003C!"}}},
        .controls = ControlForm::Unicode,
        .beyond = Beyond::LineSeparators,
    };
};

}  // namespace tagora::rules
