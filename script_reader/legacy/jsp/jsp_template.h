// Hand-written JSP turned into a template: what the scriptlets' out.print,
// out.println and out.write statements print from string literals becomes
// template text, what they print from other expressions <%= ... %>, and
// every other statement stays in a scriptlet. A statement whose text the
// page would read otherwise as template text (EL, a tag, a JSP element)
// or in another encoding stays as it is.
#pragma once

#include "script_read_error.h"
#include "write_note.h"

#include <string>
#include <string_view>
#include <variant>

namespace tagora {

// For each out.print, out.println or out.write left as code, notes tells why.
std::variant<std::string, ScriptReadError> jspTemplate(std::string_view page, WriteNotes* notes = nullptr);

}  // namespace tagora
