// The label of a PHP nowdoc that holds a text as it is: "HTML", or else
// "HTML1", "HTML2", ..., the first that no line of the text could close.
// PHP (7.3 and later) closes a heredoc or nowdoc at a line that starts
// with any spaces and tabs, then the label, then a character that cannot
// be part of a label (or the end of the text). A line starts after every
// CR and every LF.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tagora {

inline constexpr std::string_view kHeredocLabelStem = "HTML";

// Reads the text block by block, over either code unit.
template <class CharT>
class HeredocLabelScan {
public:
    void feed(std::basic_string_view<CharT> block);
    // The first label no line closes, once the whole text is fed; none
    // only when millions of lines close every label up to the largest
    // number it keeps track of.
    std::optional<std::string> label() const;
    // Whether a line of the text fed so far, read to its end, closes the
    // label (one of "HTML", "HTML1", ...).
    bool closes(std::string_view label) const;

private:
    enum class State { Blanks, Stem, Digits, RestOfLine };
    void closeLabel(std::uint32_t number);
    void endOfLabel(CharT unit);
    std::vector<bool> closedAtEnd() const;

    State m_state = State::Blanks;
    std::size_t m_stemMatched = 0;
    std::uint32_t m_number = 0;
    bool m_numberUsable = true;  // no leading zero, not too large
    bool m_hasDigits = false;
    std::vector<bool> m_closed;  // by the label's number; "HTML" is 0
};

extern template class HeredocLabelScan<char>;
extern template class HeredocLabelScan<char16_t>;

}  // namespace tagora
