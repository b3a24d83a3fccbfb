// Every target's description, and the one place that says which
// description a target and an escaping take.
#pragma once

#include "script_writer/descriptions/asp.h"
#include "script_writer/descriptions/js.h"
#include "script_writer/descriptions/js_concat.h"
#include "script_writer/descriptions/json.h"
#include "script_writer/descriptions/jsp.h"
#include "script_writer/descriptions/perl.h"
#include "script_writer/descriptions/php.h"
#include "script_writer/descriptions/php_nowdoc.h"
#include "script_writer/descriptions/python.h"

namespace tagora::rules {

// Calls visit with a value of the description's type, so that the visitor
// can work with it at compile time.
template <class Visit>
auto withDescription(Target target, Escaping escaping, Visit visit)
{
    const bool classic = effectiveEscaping(target, escaping) == Escaping::Classic;
    switch (target) {
    case Target::Php:
        return classic ? visit(PhpClassic{}) : visit(Php{});
    case Target::Asp:
        return classic ? visit(AspClassic{}) : visit(Asp{});
    case Target::PhpNowdoc:
        return visit(PhpNowdoc{});
    case Target::Js:
        return visit(Js{});
    case Target::JsConcat:
        return visit(JsConcat{});
    case Target::Json:
        return visit(Json{});
    case Target::Jsp:
        return visit(Jsp{});
    case Target::Perl:
        return visit(Perl{});
    case Target::Python:
        break;
    }
    return visit(Python{});
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
