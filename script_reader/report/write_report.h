// What a template made of a legacy PHP or ASP file changed: how many of
// the file's write statements (echo and print, Response.Write) are left
// in its code, and how much of the text they wrote became plain HTML.
#pragma once

#include "script_writer/targets.h"

#include <cstddef>
#include <string_view>

namespace tagora {

struct WriteReport {
    std::size_t writes = 0;         // write statements in the file
    std::size_t writesLeft = 0;     // write statements left in the template's code
    std::size_t writtenText = 0;    // bytes of the string literals they and <?= ?>, <%= %> write
    std::size_t textLeftInCode = 0; // bytes of those left in the template's code
    std::size_t keptWhole = 0;      // writes that became one <%= %> or <?= ?> still writing text

    std::size_t writesConverted() const { return writes > writesLeft ? writes - writesLeft : 0; }
};

// Counts, for a file of `language` (php or asp) and its template.
WriteReport writeReport(std::string_view file, std::string_view templ, Target language);

}  // namespace tagora
