// Python 3: one write to standard output per line. Standard output is set
// to UTF-8 without newline translation first, so that the script prints
// the same bytes whatever the locale or the system.
#pragma once

#include "script_writer/target_rules.h"

namespace tagora::rules {

struct Python {
    static constexpr Frame frame{
        .firstLine = "#!/usr/bin/env python3",
        .commentPrefix = "# ",
        .generatedBy = "Python Script",
        .preamble = "import sys\r\nsys.stdout.reconfigure(encoding=\"utf-8\", newline=\"\\n\")\r\n",
        .open = "sys.stdout.write(\"",
        .lineBreak = "\\n\")\r\nsys.stdout.write(\"",
        .close = "\")",
    };
    static constexpr Literal literal{.open = "\"", .crLf = "\\r\\n", .lf = "\\n", .cr = "\\r", .close = "\""};
    static constexpr Escapes escapes{
        .ascii = asciiTable({{'"', "\\\""}, {'\\', "\\\\"}, {'\r', "\\r"}, {'\n', "\\n"}, {'\t', "\\t"}}),
        .controls = ControlForm::HexByte,
    };
};

}  // namespace tagora::rules
