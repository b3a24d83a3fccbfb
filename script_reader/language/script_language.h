// Which language a hand-written page to read back is in, by what it holds:
// PHP blocks (<?php, <?= or <? and a space; not <?xml or another
// processing instruction), ASP blocks (<% ... %> with something inside)
// and, among those, JSP (its directives, declarations, comments, <jsp:
// actions and out.print). Blocks of one language inside another's code do
// not count; blocks of two languages in each other's text are an error
// that names both.
#pragma once

#include "script_read_error.h"
#include "script_writer/targets.h"

#include <optional>
#include <string_view>

namespace tagora {

struct PageLanguage {
    std::optional<Target> language;  // Php, Asp or Jsp
    ScriptReadError error;           // when there is none
};

PageLanguage pageLanguage(std::string_view page);

}  // namespace tagora
