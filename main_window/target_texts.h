// What the main window calls each target and each kind of output.
#pragma once

#include "script_writer/targets.h"

#include <QString>

namespace tagora {

// The window's texts of a target, beyond its title.
struct TargetTexts {
    Target target;
    const char* itemName;  // of its Conversion menu item
    const char* caption;   // of that item
    const char* copied;    // the notice after Copy Script
    const char* filter;    // of the save dialog
};

const TargetTexts& textsOf(Target target);
// A text of the table, translated.
QString translated(const char* text);
// "PHP Script"
QString titleOf(Target target);
// "HTML to &PHP" -> "HTML to PHP"
QString withoutAccessKey(const char* caption);
// What a template is called, by the language it keeps its code in: "PHP
// Template".
QString templateTitle(Target language);
// The menu captions of every target, as the help names them.
QString targetCaptions();

}  // namespace tagora
