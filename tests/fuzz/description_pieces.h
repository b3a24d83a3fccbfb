// Pieces of text that test a target's script where it can go wrong, taken
// from the target's own description: every character its table escapes
// and the escape itself as text, both characters of each pair together and
// apart, the frame's texts (a text holding "?>" or "echo \"" must still
// print as it is), line breaks, and the characters beyond ASCII that it
// treats apart. A test that draws its random texts from these follows the
// descriptions: a new escape or pair is tried without a word added here.
#pragma once

#include "script_writer/descriptions/all.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

namespace detail {

inline void addPiece(std::vector<std::string>& pieces, std::string_view piece)
{
    if (!piece.empty() && std::find(pieces.begin(), pieces.end(), piece) == pieces.end())
        pieces.emplace_back(piece);
}

// The frame's texts, the label placeholder read as the first label.
inline void addFramePieces(std::vector<std::string>& pieces, const tagora::rules::Frame& frame)
{
    for (const std::string_view text : {frame.firstLine, frame.preamble, frame.open, frame.lineBreak, frame.close,
                                        frame.footer, tagora::rules::kLabelPlaceholder})
        addPiece(pieces, tagora::rules::withLabel(text, "HTML"));
}

inline void addEscapePieces(std::vector<std::string>& pieces, const tagora::rules::Escapes& escapes)
{
    for (std::size_t c = 0; c < escapes.ascii.size(); ++c) {
        const bool control = c < 0x20 || c == 0x7F;
        if (!escapes.ascii[c].empty() || (control && escapes.controls != tagora::rules::ControlForm::Copy)) {
            addPiece(pieces, std::string(1, static_cast<char>(c)));
            addPiece(pieces, escapes.ascii[c]);
        }
    }
    for (const tagora::rules::Pair& pair : escapes.pairs) {
        if (pair.first == 0)
            continue;
        addPiece(pieces, std::string{pair.first, pair.second});
        addPiece(pieces, std::string(1, pair.first));
        addPiece(pieces, std::string(1, pair.second));
        addPiece(pieces, pair.text);
    }
    if (escapes.beyond != tagora::rules::Beyond::Copy) {
        for (const char* text : {"\u2028", "\u2029", "\u00E9", "\u20AC", "\U0001F600", "\\u2028", "\\u00e9"})
            addPiece(pieces, text);
    }
}

}  // namespace detail

// The pieces of the target's script with the escaping, in UTF-8, each once.
inline std::vector<std::string> descriptionPieces(tagora::Target target,
                                                  tagora::Escaping escaping = tagora::Escaping::Exact)
{
    std::vector<std::string> pieces;
    tagora::rules::withDescription(target, escaping, [&pieces](auto description) {
        detail::addFramePieces(pieces, decltype(description)::frame);
        detail::addEscapePieces(pieces, decltype(description)::escapes);
        return 0;
    });
    for (const char* text : {"\r\n", "\r", "\n", "x", " "})
        detail::addPiece(pieces, text);
    return pieces;
}

// Every target's pieces, and every two of the ASCII characters that any
// description writes otherwise than as they are: a pair that one
// description lacks is still tried, when its characters count elsewhere.
inline std::vector<std::string> allDescriptionPieces()
{
    std::vector<std::string> pieces;
    std::string special;
    for (const tagora::TargetInfo& info : tagora::targets()) {
        for (const tagora::Escaping escaping : {tagora::Escaping::Exact, tagora::Escaping::Classic}) {
            for (const std::string& piece : descriptionPieces(info.target, escaping)) {
                detail::addPiece(pieces, piece);
                if (piece.size() == 1 && static_cast<unsigned char>(piece[0]) < 0x80
                    && special.find(piece[0]) == std::string::npos)
                    special += piece[0];
            }
        }
    }
    for (const char first : special) {
        for (const char second : special)
            detail::addPiece(pieces, std::string{first, second});
    }
    return pieces;
}

}  // namespace fuzz
