// Fuzzes the colours' spans: for any text (its bytes read as UTF-16 code
// units, lone surrogates and all), a whole page, every line as HTML and
// as a script of every target: each span lies inside its text and is not
// empty, and a line's spans come in order without overlapping.
#include "fuzz_check.h"
#include "script_reader/syntax_spans.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

using tagora::syntax::Span;

void checkInside(const std::vector<Span>& spans, std::size_t size, bool ordered)
{
    std::size_t last = 0;
    for (const Span& span : spans) {
        FUZZ_CHECK(span.begin < span.end && span.end <= size);
        if (ordered)
            FUZZ_CHECK(span.begin >= last);
        last = span.end;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    const auto buffer = fuzz::exactCopy(std::u16string_view(units));
    const std::u16string_view text(buffer.get(), units.size());
    checkInside(tagora::syntax::pageSpans(text), text.size(), false);
    int html = 0;
    std::vector<int> scripts(tagora::targets().size(), 0);
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(u'\n', start), text.size());
        const std::u16string_view line = text.substr(start, end - start);
        checkInside(tagora::syntax::htmlLine(line, html), line.size(), true);
        for (const tagora::TargetInfo& info : tagora::targets())
            checkInside(tagora::syntax::scriptLine(info.target, line, scripts[std::size_t(info.target)]), line.size(), true);
        start = end + 1;
    }
    return 0;
}
