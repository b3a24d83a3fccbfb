// Perl: one print statement per line, in a double-quoted string, where
// Perl would read "$name" and "@name" as variables. Without `use utf8`
// the strings are bytes, printed as they are.
#pragma once

#include "script_writer/target_rules.h"

namespace tagora::rules {

struct Perl {
    static constexpr Frame frame{
        .firstLine = "#!/usr/bin/perl",
        .commentPrefix = "# ",
        .generatedBy = "Perl Script",
        .open = "print \"",
        .lineBreak = "\\n\";\r\nprint \"",
        .close = "\";",
    };
    static constexpr Literal literal{.open = "\"", .crLf = "\\r\\n", .lf = "\\n", .cr = "\\r", .close = "\""};
    static constexpr Escapes escapes{
        .ascii = asciiTable({{'"', "\\\""}, {'\\', "\\\\"}, {'$', "\\$"}, {'@', "\\@"},
                             {'\r', "\\r"}, {'\n', "\\n"}, {'\t', "\\t"}}),
        .controls = ControlForm::HexByte,
    };
};

}  // namespace tagora::rules
