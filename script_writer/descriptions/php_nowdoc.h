// PHP with the whole text in one nowdoc, exactly as it is. Its label is
// one that no line of the text could close (see heredoc_label.h).
#pragma once

#include "script_writer/target_rules.h"

namespace tagora::rules {

struct PhpNowdoc {
    static constexpr Frame frame{
        .firstLine = "<?php",
        .commentPrefix = "// ",
        .generatedBy = "PHP Script",
        .open = "echo <<<'LABEL'\r\n",
        .lineBreak = "\r\n",
        .close = "\r\nLABEL;",
        .footer = "?>",
    };
    static constexpr Literal literal{
        .open = "<<<'LABEL'\n",
        .crLf = "\r\n",
        .lf = "\n",
        .cr = "\r",
        .close = "\nLABEL",
        .endAfterCr = "\r\r\nLABEL",
    };
    static constexpr Escapes escapes{};
};

}  // namespace tagora::rules
