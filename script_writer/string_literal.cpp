#include "script_writer/string_literal.h"

#include "script_writer/script_generator.h"

namespace tagora {
namespace {

template <class CharT>
std::optional<std::basic_string<CharT>> literalOf(Target target, std::basic_string_view<CharT> text)
{
    const std::optional<std::string> label = heredocLabelFor(target, text);
    if (!label)
        return std::nullopt;
    ScriptStream<CharT> stream(target, Escaping::Exact, *label, Form::Literal);
    std::basic_string<CharT> literal;
    stream.begin(literal);
    stream.feed(text, literal);
    stream.finish(literal);
    return literal;
}

}  // namespace

std::optional<std::string> stringLiteral(Target target, std::string_view utf8Text)
{
    return literalOf(target, utf8Text);
}

std::optional<std::u16string> stringLiteral(Target target, std::u16string_view text)
{
    return literalOf(target, text);
}

}  // namespace tagora
