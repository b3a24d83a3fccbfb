#include "script_writer/heredoc_label.h"

#include <bit>
#include <type_traits>

#include "input_text/byte_scan.h"

namespace tagora {
namespace {

// Labels beyond this number are never needed unless the text has more
// lines than that, each closing one label.
constexpr std::uint32_t kLargestNumber = 1u << 22;

template <class CharT>
constexpr unsigned unitOf(CharT unit)
{
    return static_cast<std::make_unsigned_t<CharT>>(unit);
}

// A label is made of letters, digits, "_" and bytes beyond ASCII (so any
// character beyond ASCII, whose UTF-8 bytes all are).
template <class CharT>
constexpr bool isLabelCharacter(CharT unit)
{
    const unsigned u = unitOf(unit);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u >= 0x80;
}

template <class CharT>
constexpr bool isLineEnd(CharT unit)
{
    return unit == CharT('\r') || unit == CharT('\n');
}

}  // namespace

template <class CharT>
void HeredocLabelScan<CharT>::closeLabel(std::uint32_t number)
{
    if (number >= m_closed.size())
        m_closed.resize(number + 1);
    m_closed[number] = true;
}

// The unit after "HTML" and its digits, if any.
template <class CharT>
void HeredocLabelScan<CharT>::endOfLabel(CharT unit)
{
    if (!isLabelCharacter(unit) && m_numberUsable)
        closeLabel(m_hasDigits ? m_number : 0);
    m_state = isLineEnd(unit) ? State::Blanks : State::RestOfLine;
}

namespace {

// The first CR or LF from p on, or end.
template <class CharT>
const CharT* findLineEnd(const CharT* p, const CharT* end)
{
    using Unit = std::conditional_t<sizeof(CharT) == 1, unsigned char, char16_t>;
    const auto* const units = reinterpret_cast<const Unit*>(p);
    return p + (scan::findFirst<scan::Stops{{'\r', '\n'}, 2}>(units, reinterpret_cast<const Unit*>(end)) - units);
}

}  // namespace

template <class CharT>
void HeredocLabelScan<CharT>::feed(std::basic_string_view<CharT> block)
{
    const CharT* const end = block.data() + block.size();
    for (const CharT* p = block.data(); p < end; ++p) {
        const CharT unit = *p;
        switch (m_state) {
        case State::RestOfLine:
            p = findLineEnd(p, end);
            if (p == end)
                return;
            m_state = State::Blanks;
            break;
        case State::Blanks:
            if (unit == CharT(' ') || unit == CharT('\t') || isLineEnd(unit))
                break;
            m_stemMatched = 0;
            m_state = State::Stem;
            [[fallthrough]];
        case State::Stem:
            if (unitOf(unit) != unitOf(kHeredocLabelStem[m_stemMatched])) {
                m_state = isLineEnd(unit) ? State::Blanks : State::RestOfLine;
            } else if (++m_stemMatched == kHeredocLabelStem.size()) {
                m_state = State::Digits;
                m_number = 0;
                m_hasDigits = false;
                m_numberUsable = true;
            }
            break;
        case State::Digits:
            if (unit >= CharT('0') && unit <= CharT('9')) {
                if (!m_hasDigits && unit == CharT('0'))
                    m_numberUsable = false;  // "HTML0..." is no label of ours
                m_hasDigits = true;
                m_number = m_number * 10 + (unitOf(unit) - '0');
                if (m_number > kLargestNumber)
                    m_numberUsable = false;
                if (!m_numberUsable)
                    m_number = 0;  // keeps it from overflowing
                break;
            }
            endOfLabel(unit);
            break;
        }
    }
}

// The labels closed, counting one that the text ends right after.
template <class CharT>
std::vector<bool> HeredocLabelScan<CharT>::closedAtEnd() const
{
    std::vector<bool> closed = m_closed;
    if (m_state == State::Digits && m_numberUsable) {
        const std::uint32_t number = m_hasDigits ? m_number : 0;
        if (number >= closed.size())
            closed.resize(number + 1);
        closed[number] = true;
    }
    return closed;
}

template <class CharT>
std::optional<std::string> HeredocLabelScan<CharT>::label() const
{
    const std::vector<bool> closed = closedAtEnd();
    for (std::uint32_t number = 0; number <= kLargestNumber; ++number) {
        if (number >= closed.size() || !closed[number])
            return std::string(kHeredocLabelStem) + (number == 0 ? std::string() : std::to_string(number));
    }
    return std::nullopt;
}

template <class CharT>
bool HeredocLabelScan<CharT>::closes(std::string_view label) const
{
    if (!label.starts_with(kHeredocLabelStem))
        return true;
    const std::string_view digits = label.substr(kHeredocLabelStem.size());
    std::uint32_t number = 0;
    for (const char digit : digits) {
        if (digit < '0' || digit > '9' || (number == 0 && digit == '0') || number > kLargestNumber)
            return true;
        number = number * 10 + std::uint32_t(digit - '0');
    }
    const std::vector<bool> closed = closedAtEnd();
    return number < closed.size() && closed[number];
}

template class HeredocLabelScan<char>;
template class HeredocLabelScan<char16_t>;

}  // namespace tagora
