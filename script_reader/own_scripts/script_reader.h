// Reads a script this program wrote back into the text it prints (for js,
// js-concat and json: the string's value), block by block in UTF-8. It
// takes exactly what the generators write, token by token, from the same
// target descriptions, and refuses anything else: a script that was
// edited by hand may mean something the reader cannot tell, and the
// legacy readers (php_template.h, asp_template.h) take over for PHP and
// ASP.
#pragma once

#include "script_read_error.h"
#include "script_writer/targets.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tagora {

class ScriptReader {
public:
    // With no target, the target is recognised from the script's start
    // (for a literal, the first target whose literal starts so is taken:
    // see readLiteral for telling them apart).
    explicit ScriptReader(std::optional<Target> target = std::nullopt, Form form = Form::Script);
    ~ScriptReader();
    ScriptReader(const ScriptReader&) = delete;
    ScriptReader& operator=(const ScriptReader&) = delete;

    // The most bytes feed() writes for a block of the given size (what a
    // script prints is never longer than the script).
    static std::size_t maxFeedSize(std::size_t blockSize);
    static constexpr std::size_t kMaxFinishSize = 8192;

    // What the next block of the script prints, written at out; returns
    // the end, or nullptr when the script is not one of this program's
    // (see error()).
    char* feed(std::string_view block, char* out);
    // The end of the script; nullptr when it ends too early.
    char* finish(char* out);

    // The target read, once its start has been seen.
    std::optional<Target> target() const;
    const ScriptReadError& error() const;

private:
    class Body;
    struct State;
    char* read(std::string_view text, bool final, char* out);
    char* startBody(bool final, char* out);
    bool skipBlanks(bool final);
    char* fail(std::string message);

    std::unique_ptr<State> m;
};

// The whole script at once: what it prints, or where it is not one of
// this program's.
struct ReadScript {
    std::optional<Target> target;
    std::optional<std::string> printed;
    ScriptReadError error;
};
ReadScript readScript(std::string_view script, std::optional<Target> target = std::nullopt,
                      Form form = Form::Script);

// A string literal of a target, as stringLiteral() writes it (blank space
// around it allowed), back to its text exactly. With no target, every
// target whose literal it can be is tried: they must agree on its text.
// ASP, whose strings read a backslash as it is, is taken only when no
// other target reads the literal.
ReadScript readLiteral(std::string_view literal, std::optional<Target> target = std::nullopt);

}  // namespace tagora
