// Every credit value the program shows, kept in one place: the script
// headers, Quick Help, the About and splash windows and the credit line
// all read them from here. The values themselves (kProductName, kVersion,
// kProductTitle, kApplicationId, kDeveloperName, ...; see
// credits_values.h.in) are set in script_writer/credits.cmake and the
// project's version, which the packaging files read as well.
#pragma once

#include "credits_values.h"

#include <string>
#include <string_view>

namespace tagora::credits {

// "<developer> (<company>: <company web address>)", as the script headers
// credit the developer.
std::string developerCredit();

// The one-line credit along the bottom of the main window.
std::string creditLine();

}  // namespace tagora::credits
