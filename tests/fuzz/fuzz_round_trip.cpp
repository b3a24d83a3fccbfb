// Fuzzes the way back: for valid UTF-8 text, every target's script, read
// back in blocks of random sizes, gives what the script prints (the text
// with each CR LF as the target's line break), and the target is
// recognised from the script alone. Version 1.0's escaping goes back too,
// or is refused where its script does not print the text (a PHP variable,
// an ASP "%>" or line break inside a string). Every target's string
// literal of the text, written in blocks of random sizes, is the same as
// at one go, and read back, in blocks too, gives the text exactly;
// recognised, it gives the text too (ASP's where no other language reads
// it). Every script written in blocks too short for the writer's block
// scan (its plain form) is the same as at one go. When the second byte is
// odd, the text is made of the pieces the later bytes choose among those
// of the descriptions (description_pieces.h), so that every escape and
// pair is tried however the fuzzer mutates.
#include "description_pieces.h"
#include "fuzz_check.h"
#include "reference.h"
#include "script_writer/script_generator.h"
#include "script_writer/string_literal.h"
#include "script_reader/script_reader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using tagora::Escaping;
using tagora::Target;

namespace {

std::string printed(std::string text, std::string_view lineBreak)
{
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += lineBreak.size())
        text.replace(at, 2, lineBreak);
    return text;
}

// Feeds the text in blocks whose sizes come from the seed (empty ones
// too), each in a heap block of exactly its size.
template <class Feed>
void inBlocks(std::string_view text, std::uint32_t seed, Feed feed)
{
    for (std::size_t at = 0, size = 0; at < text.size(); at += size) {
        seed = seed * 1103515245u + 12345u;
        size = std::min<std::size_t>(text.size() - at, (seed >> 16) % 70);
        const auto block = fuzz::exactCopy(text.substr(at, size));
        feed(std::string_view(block.get(), size));
    }
}

// The script read in blocks whose sizes come from the seed.
std::optional<std::string> readInBlocks(std::string_view script, std::uint32_t seed, Target& target,
                                        std::optional<Target> named = std::nullopt,
                                        tagora::Form form = tagora::Form::Script)
{
    tagora::ScriptReader reader(named, form);
    std::string out(tagora::ScriptReader::maxFeedSize(script.size()) + tagora::ScriptReader::kMaxFinishSize, '\0');
    char* end = out.data();
    inBlocks(script, seed, [&](std::string_view block) { end = end ? reader.feed(block, end) : end; });
    if (end)
        end = reader.finish(end);
    if (!end)
        return std::nullopt;
    target = reader.target().value_or(Target::Php);
    out.resize(static_cast<std::size_t>(end - out.data()));
    return out;
}

// The text the bytes choose: pieces, two bytes choosing each.
std::string textOfPieces(std::string_view choices)
{
    static const std::vector<std::string> pieces = fuzz::allDescriptionPieces();
    std::string text;
    for (std::size_t at = 0; at + 1 < choices.size(); at += 2) {
        const std::size_t choice = static_cast<unsigned char>(choices[at]) * 256u + static_cast<unsigned char>(choices[at + 1]);
        text += pieces[choice % pieces.size()];
    }
    return text;
}

// The literal written in blocks whose sizes come from the seed.
std::string literalInBlocks(Target target, std::string_view text, std::string_view label, std::uint32_t seed)
{
    tagora::ScriptStream<char> stream(target, Escaping::Exact, label, tagora::Form::Literal);
    std::string literal;
    stream.begin(literal);
    inBlocks(text, seed, [&](std::string_view block) { stream.feed(block, literal); });
    stream.finish(literal);
    return literal;
}

// The script written in blocks of at most eight bytes, each unit by the
// plain form of the writer (too short for its block scan).
std::string scriptInSmallBlocks(Target target, Escaping escaping, std::string_view text, std::uint32_t seed)
{
    tagora::ScriptStream<char> stream(target, escaping, tagora::heredocLabelFor(target, text).value_or(""));
    std::string script;
    stream.begin(script);
    for (std::size_t at = 0, size = 0; at < text.size(); at += size) {
        seed = seed * 1103515245u + 12345u;
        size = std::min<std::size_t>(text.size() - at, 1 + (seed >> 16) % 8);
        stream.feed(text.substr(at, size), script);
    }
    stream.finish(script);
    return script;
}

void checkLiteral(const tagora::TargetInfo& info, std::string_view text, std::uint32_t seed)
{
    const std::optional<std::string> literal = tagora::stringLiteral(info.target, text);
    const std::optional<std::string> label = tagora::heredocLabelFor(info.target, text);
    FUZZ_CHECK(literal.has_value() == label.has_value());
    if (!literal)
        return;
    FUZZ_CHECK(literalInBlocks(info.target, text, *label, seed) == *literal);
    Target read = Target::Php;
    const std::optional<std::string> back = readInBlocks(*literal, seed, read, info.target, tagora::Form::Literal);
    FUZZ_CHECK(back && *back == text);
    if (static_cast<std::size_t>(info.target) != seed % tagora::targets().size())
        return;  // recognising tries every language: one per input, for speed
    const tagora::ReadScript recognised = tagora::readLiteral(*literal);
    FUZZ_CHECK(recognised.printed.has_value());
    FUZZ_CHECK(*recognised.printed == text || (info.target == Target::Asp && recognised.target != Target::Asp));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::uint32_t seed = data[0];
    const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::string pieced = data[1] % 2 ? textOfPieces(rest) : std::string();
    const std::string_view text = data[1] % 2 ? std::string_view(pieced) : rest;
    if (fuzz::decodeUtf8(text).firstInvalid != std::string_view::npos)
        return 0;
    for (const tagora::TargetInfo& info : tagora::targets()) {
        checkLiteral(info, text, seed);
        for (const Escaping escaping : {Escaping::Exact, Escaping::Classic}) {
            if (escaping == Escaping::Classic && !info.hasClassicEscaping)
                continue;
            const std::optional<std::string> script = tagora::script(info.target, escaping, text);
            if (!script)
                continue;
            FUZZ_CHECK(scriptInSmallBlocks(info.target, escaping, text, seed) == *script);
            Target read = Target::Php;
            const std::optional<std::string> back = readInBlocks(*script, seed, read);
            std::string expected = printed(std::string(text), info.printedLineBreak);
            if (escaping == Escaping::Exact) {
                FUZZ_CHECK(back.has_value());
            } else if (!back) {
                continue;
            } else if (info.target == Target::Asp) {
                std::replace(expected.begin(), expected.end(), '"', '\'');
            }
            FUZZ_CHECK(read == info.target);
            FUZZ_CHECK(*back == expected);
        }
    }
    return 0;
}
