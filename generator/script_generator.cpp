#include "script_generator.h"

namespace tagora {
namespace {

template <class CharT>
std::optional<std::basic_string<CharT>> generate(ScriptLanguage language, Escaping escaping,
                                                 std::basic_string_view<CharT> html)
{
    if (html.empty())
        return std::nullopt;
    ScriptStream<CharT> stream(language, escaping);
    std::basic_string<CharT> text;
    text.reserve(html.size() + html.size() / 2 + ScriptStream<CharT>::kMaxFrameSize);
    stream.begin(text);
    stream.feed(html, text);
    stream.finish(text);
    return text;
}

}  // namespace

std::optional<std::u16string> script(ScriptLanguage language, Escaping escaping,
                                     std::u16string_view html)
{
    return generate(language, escaping, html);
}

std::optional<std::string> script(ScriptLanguage language, Escaping escaping,
                                  std::string_view utf8Html)
{
    return generate(language, escaping, utf8Html);
}

}  // namespace tagora
