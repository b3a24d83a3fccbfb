// The script generators' one engine, for every target and over either
// code unit: char for UTF-8 bytes (tagora-convert) and char16_t for the
// window's text. A text may arrive in blocks of any size; what a block
// edge cuts (a CR that may pair with the next block's LF, an ASP "%" that
// may precede the next block's ">", a UTF-8 sequence or a surrogate pair)
// is carried over, so that the script is the same for every way of
// cutting the text.
#pragma once

#include "script_writer/heredoc_label.h"
#include "script_writer/targets.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tagora {

template <class CharT>
class ScriptStream {
public:
    using View = std::basic_string_view<CharT>;
    using String = std::basic_string<CharT>;

    // The heredoc label is used by the targets that have one (php-nowdoc);
    // see HeredocLabelScan for choosing it. The literal form writes the
    // text as one string literal (begin() and finish() write its opening
    // and closing) and takes every line break as it is. A variable name
    // that is not valid (isValidVariableName) is taken as the default.
    // Throws std::length_error when the header or the footer (with the
    // label and the credit values) would not fit in kMaxFrameSize.
    ScriptStream(Target target, Escaping escaping, std::string_view heredocLabel = kHeredocLabelStem,
                 Form form = Form::Script, const ScriptOptions& options = {});

    // The most code units begin() or finish() write.
    static constexpr std::size_t kMaxFrameSize = 512;
    // The most code units feed() writes for a block of the given size.
    std::size_t maxFeedSize(std::size_t blockSize) const;

    // The header and the opening of the text.
    CharT* begin(CharT* out);
    // The script for the next block of the input text. Each CR LF ends a
    // line.
    CharT* feed(View block, CharT* out);
    // The end of the text and the footer; the stream may then begin again.
    CharT* finish(CharT* out);

    // The same, appended to a string.
    void begin(String& out);
    void feed(View block, String& out);
    void finish(String& out);

private:
    static constexpr std::size_t kMaxCarry = 4;

    Target m_target;
    Escaping m_escaping;
    Form m_form;
    std::string m_opening;  // header to open
    std::string m_closing;  // close to footer
    // The same with the text's final line break (LF, CR LF, CR) where
    // they are written together; empty where they are not.
    std::string m_closingAfter[3];
    CharT m_carry[kMaxCarry] = {};  // the end of the last block, undecided
    std::size_t m_carrySize = 0;
    std::vector<CharT> m_scratch;  // for the appending forms
    // Where the target limits strings and parts (see Frame::split).
    std::string m_split;
    std::string m_partBreak;
    std::size_t m_stringSize = 0;  // units of script in the string being written
    std::size_t m_statements = 0;  // in the part being written
    CharT* putLimited(const CharT* in, const CharT* end, CharT* out);
    void count(const CharT* from, const CharT* to);
    CharT* putLimitBreak(CharT* out);
    static bool endsWithHighSurrogate(const CharT* after);
};

extern template class ScriptStream<char>;
extern template class ScriptStream<char16_t>;

}  // namespace tagora
