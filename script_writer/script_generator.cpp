#include "script_writer/script_generator.h"

#include "script_writer/descriptions/all.h"

namespace tagora {
namespace {

template <class CharT>
std::optional<std::basic_string<CharT>> generate(Target target, Escaping escaping,
                                                 std::basic_string_view<CharT> html, const ScriptOptions& options)
{
    if (html.empty())
        return std::nullopt;
    const std::optional<std::string> label = heredocLabelFor(target, html);
    if (!label)
        return std::nullopt;
    ScriptStream<CharT> stream(target, escaping, *label, Form::Script, options);
    std::basic_string<CharT> text;
    text.reserve(html.size() + html.size() / 2 + ScriptStream<CharT>::kMaxFrameSize);
    stream.begin(text);
    stream.feed(html, text);
    stream.finish(text);
    return text;
}

}  // namespace

bool needsHeredocLabel(Target target)
{
    return rules::withDescription(target, Escaping::Exact, [](auto description) {
        return decltype(description)::frame.open.find(rules::kLabelPlaceholder) != std::string_view::npos;
    });
}

template <class CharT>
std::optional<std::string> heredocLabelFor(Target target, std::basic_string_view<CharT> html)
{
    if (!needsHeredocLabel(target))
        return std::string(kHeredocLabelStem);
    HeredocLabelScan<CharT> scan;
    scan.feed(html);
    return scan.label();
}

template std::optional<std::string> heredocLabelFor(Target, std::string_view);
template std::optional<std::string> heredocLabelFor(Target, std::u16string_view);

std::optional<std::u16string> script(Target target, Escaping escaping, std::u16string_view html,
                                     const ScriptOptions& options)
{
    return generate(target, escaping, html, options);
}

std::optional<std::string> script(Target target, Escaping escaping, std::string_view utf8Html,
                                  const ScriptOptions& options)
{
    return generate(target, escaping, utf8Html, options);
}

}  // namespace tagora
