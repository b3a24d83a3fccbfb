// Every target's description, and the one place that says which
// description a target and an escaping take.
#pragma once

#include "script_writer/target_descriptions.h"

namespace tagora::rules {

// Calls visit with a value of the description's type, so that the visitor
// can work with it at compile time.
template <class Visit>
auto withDescription(Target target, Escaping escaping, Visit visit)
{
    const bool classic = effectiveEscaping(target, escaping) == Escaping::Classic;
    switch (target) {
#define TAGORA_TARGET(identifier, classicDescription, ...) \
    case Target::identifier:                              \
        return classic ? visit(classicDescription{}) : visit(identifier{});
#include "script_writer/target_list.inc"
#undef TAGORA_TARGET
    }
    __builtin_unreachable();  // every target has its case
}

}  // namespace tagora::rules
