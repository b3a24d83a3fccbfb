// PHP: one echo statement per line, in a double-quoted string; PHP would
// read "$name" there as a variable, so exact escaping writes \$.
#pragma once

#include "script_writer/target_rules.h"

namespace tagora::rules {

struct Php {
    static constexpr Frame frame{
        .firstLine = "<?php",
        .commentPrefix = "// ",
        .generatedBy = "PHP Script",
        .open = "echo \"",
        .lineBreak = "\\n\";\r\necho \"",
        .close = "\";",
        .footer = "?>",
    };
    static constexpr Literal literal{.open = "\"", .crLf = "\\r\\n", .lf = "\\n", .cr = "\\r", .close = "\""};
    static constexpr Escapes escapes{
        .ascii = asciiTable({{'\\', "\\\\"}, {'"', "\\\""}, {'\t', "\\t"}, {'$', "\\$"}}),
        .bareDollarPrintsItself = true,
    };
};

// Version 1.0's escaping: "$" stays as it is.
struct PhpClassic : Php {
    static constexpr Escapes escapes{
        .ascii = asciiTable({{'\\', "\\\\"}, {'"', "\\\""}, {'\t', "\\t"}}),
        .bareDollarPrintsItself = true,
    };
};

}  // namespace tagora::rules
