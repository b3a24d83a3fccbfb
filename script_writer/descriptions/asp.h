// Classic ASP: one Response.Write statement per line. VBScript doubles a
// quote inside a string and cannot hold a line break there (nor, safely, a
// NUL: a script reader may stop at it); ASP ends the script at the first
// "%>", even inside a string.
#pragma once

#include "script_writer/target_rules.h"

namespace tagora::rules {

struct Asp {
    static constexpr Frame frame{
        .firstLine = "<%",
        .commentPrefix = "' ",
        .generatedBy = "ASP Script",
        .open = "Response.Write(\"",
        .lineBreak = "\") & vbCrLf\r\nResponse.Write(\"",
        .close = "\")",
        .footer = "%>",
    };
    static constexpr Literal literal{
        .open = "\"",
        .crLf = "\" & vbCrLf & \"",
        .lf = "\" & vbLf & \"",
        .cr = "\" & vbCr & \"",
        .close = "\"",
        .endAfterLf = "\" & vbLf",
        .endAfterCrLf = "\" & vbCrLf",
        .endAfterCr = "\" & vbCr",
        .readLast = true,
    };
    static constexpr Escapes escapes{
        .ascii = asciiTable({{'"', "\"\""}, {'\r', "\" & vbCr & \""}, {'\n', "\" & vbLf & \""},
                             {'\0', "\" & vbNullChar & \""}}),
        .pairs = {{{'%', '>', "%\" & \">"}}},
    };
};

// Version 1.0's escaping: every double quote becomes an apostrophe.
struct AspClassic : Asp {
    static constexpr Escapes escapes{
        .ascii = asciiTable({{'"', "'"}}),
    };
};

}  // namespace tagora::rules
