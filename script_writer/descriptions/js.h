// JavaScript: the whole text in one template literal. Safe inside an HTML
// <script> element ("</" and "<!" never appear as they are) and in any
// engine (U+2028 and U+2029 escaped). A line break is a real one, which
// the literal holds as LF; a lone CR would turn into LF as well, so it is
// escaped.
#pragma once

#include "script_writer/target_rules.h"

namespace tagora::rules {

struct Js {
    static constexpr Frame frame{
        .commentPrefix = "// ",
        .generatedBy = "JavaScript",
        .open = "const NAME = `",
        .lineBreak = "\r\n",
        .close = "`;",
    };
    // A CR LF in the source would be read as LF: the CR is escaped.
    static constexpr Literal literal{.open = "`", .crLf = "\\r\n", .lf = "\n", .cr = "\\r", .close = "`"};
    static constexpr Escapes escapes{
        .ascii = asciiTable({{'`', "\\`"}, {'\\', "\\\\"}, {'\r', "\\r"}, {'\n', "\\n"}}),
        .pairs = {{{'$', '{', "\\${"}, {'<', '/', "<\\/"}, {'<', '!', "<\\!"}}},
        .controls = ControlForm::HexByte,
        .keptControls = "\t",
        .beyond = Beyond::LineSeparators,
    };
};

}  // namespace tagora::rules
