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

// The same for a description of the form: the script, or the literal of
// the target (which always holds the text exactly).
template <class Visit>
auto withDescription(Target target, Escaping escaping, Form form, Visit visit)
{
    if (form == Form::Script)
        return withDescription(target, escaping, visit);
    return withDescription(target, Escaping::Exact, [&visit](auto description) {
        return visit(LiteralDescription<decltype(description)>{});
    });
}

}  // namespace tagora::rules
