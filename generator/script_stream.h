// The script generators' one definition of the escaping rules, over
// either code unit: char for UTF-8 bytes (tagora-convert) and char16_t for
// the window's text. A text may arrive in blocks of any size; what a block
// edge cuts (a CR that may pair with the next block's LF, an ASP "%" that
// may precede the next block's ">") is carried over, so that the script
// is the same for every way of cutting the text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tagora {

enum class ScriptLanguage { Php, Asp };

// Exact: the script prints the input byte for byte (PHP also escapes `$`;
// ASP doubles quotes, splits `%>` and writes lone CR / LF as vbCr / vbLf).
// Classic: the escaping of version 1.0 (PHP leaves `$` alone, ASP turns
// every double quote into an apostrophe).
enum class Escaping { Exact, Classic };

// The five header lines of a script, up to and including the empty fifth
// line, in ASCII.
std::string_view scriptHeader(ScriptLanguage language);

template <class CharT>
class ScriptStream {
public:
    using View = std::basic_string_view<CharT>;
    using String = std::basic_string<CharT>;

    ScriptStream(ScriptLanguage language, Escaping escaping);

    // The most code units begin() or finish() write.
    static constexpr std::size_t kMaxFrameSize = 512;
    // The most code units feed() writes for a block of the given size.
    std::size_t maxFeedSize(std::size_t blockSize) const;

    // The header and the opening of the first statement.
    CharT* begin(CharT* out);
    // The statements for the next block of the input text. Each CR LF ends
    // a line: it closes the statement and opens the next one.
    CharT* feed(View block, CharT* out);
    // The close of the last statement and the footer; the stream may then
    // begin again.
    CharT* finish(CharT* out);

    // The same, appended to a string.
    void begin(String& out);
    void feed(View block, String& out);
    void finish(String& out);

private:
    ScriptLanguage m_language;
    Escaping m_escaping;
    bool m_pendingCr = false;     // the last block ended with a CR
    bool m_afterPercent = false;  // the last block ended with a "%"
    std::vector<CharT> m_scratch;  // for the appending forms
};

extern template class ScriptStream<char>;
extern template class ScriptStream<char16_t>;

}  // namespace tagora
