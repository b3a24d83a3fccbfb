// Legacy classic ASP pages (VBScript) turned into templates: the text they
// write with Response.Write becomes HTML, the code around it stays.
#pragma once

#include "asp_includes.h"
#include "script_read_error.h"
#include "write_note.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tagora {

// The ASP page as a template: the literal output of Response.Write as HTML text, other
// expressions as <%= … %>, other code in <% … %> blocks; prints the same as the page.
// With the files the page includes, more of what it writes becomes text:
// the names they declare are known. For each write kept whole in one
// <%= %>, notes tells why.
std::variant<std::string, ScriptReadError> aspTemplate(std::string_view page, const AspIncludeReader& readIncludes = {},
                                                       WriteNotes* notes = nullptr);

// Where the code of an ASP page or template (not its HTML text, nor its
// comments) holds bytes beyond ASCII, and where it names a code page:
// once the page is written in another encoding, these no longer mean the
// same. At most `limit` places, in order (the tokens read before a block
// that cannot be read).
std::vector<ScriptReadError> aspCodeBeyondAscii(std::string_view page, std::size_t limit);

}  // namespace tagora
