#include "conversions.h"

#include "input_text/input_text.h"
#include "script_reader/script_reader.h"
#include "script_reader/script_to_html.h"
#include "script_writer/heredoc_label.h"
#include "script_writer/script_generator.h"
#include "script_writer/script_stream.h"

#include <memory>

namespace tagora::lsp {
namespace {

Converted refused(std::string message)
{
    return {std::nullopt, ScriptReadError{0, 0, std::move(message)}};
}

// The input text tagora-convert makes of UTF-8 bytes: a leading
// byte-order mark dropped, every line break CR LF.
std::optional<std::string> inputText(std::string_view bytes)
{
    Utf8InputDecoder decoder;
    std::string room(Utf8InputDecoder::maxFeedSize(bytes.size()), '\0');
    const std::optional<std::string_view> text = decoder.decode(bytes, room.data());
    if (!text || !decoder.finish())
        return std::nullopt;
    return std::string(*text);
}

// The heredoc label tagora-convert chooses for the input text.
std::optional<std::string> labelFor(Target target, std::string_view text)
{
    if (target != Target::PhpNowdoc)
        return std::string(kHeredocLabelStem);
    HeredocLabelScan<char> scan;
    scan.feed(text);
    return scan.label();
}

constexpr std::string_view kNoLabel = "every heredoc label up to the largest is closed by a line of it";
constexpr std::string_view kNotUtf8 = "the text is not valid UTF-8";

}  // namespace

Converted scriptOf(std::string_view html, Target target, Escaping escaping, const ScriptOptions& options)
{
    const std::optional<std::string> text = inputText(html);
    if (!text)
        return refused(std::string(kNotUtf8));
    if (text->empty())
        return refused(std::string(kNoInputMessage));
    const std::optional<std::string> label = labelFor(target, *text);
    if (!label)
        return refused(std::string(kNoLabel));
    ScriptStream<char> stream(target, effectiveEscaping(target, escaping), *label, Form::Script, options);
    std::string script;
    stream.begin(script);
    stream.feed(*text, script);
    stream.finish(script);
    return {std::move(script), {}};
}

Converted literalOf(std::string_view text, Target target)
{
    // The label is chosen from the input text; the literal holds the bytes.
    const std::optional<std::string> decoded = inputText(text);
    if (!decoded)
        return refused(std::string(kNotUtf8));
    const std::optional<std::string> label = labelFor(target, *decoded);
    if (!label)
        return refused(std::string(kNoLabel));
    ScriptStream<char> stream(target, Escaping::Exact, *label, Form::Literal);
    std::string literal;
    stream.begin(literal);
    stream.feed(text, literal);
    stream.finish(literal);
    return {std::move(literal), {}};
}

Converted textOfLiteral(std::string_view literal, Target target)
{
    ReadScript read = readLiteral(literal, target);
    return {std::move(read.printed), std::move(read.error)};
}

Converted htmlOf(std::string_view script, std::optional<Target> from)
{
    if (script.empty())
        return refused(std::string(kNoScriptMessage));
    HtmlFromScript made = htmlFromScript(script, from);
    return {std::move(made.html), std::move(made.error)};
}

}  // namespace tagora::lsp
