// Fuzzes the encoding sniffing of HTML files: whatever the bytes, the
// choice is an encoding by its own name; a declared one is never one the
// prescan must replace (UTF-16, x-user-defined) or refuse, nor UTF-8 for
// bytes that are not; and only the first 1024 bytes count for a <meta>.
#include "fuzz_check.h"
#include "input_text/html_encoding.h"
#include "input_text/utf8.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace tagora::html;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto copy = fuzz::exactCopy(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string_view bytes(copy.get(), size);
    const EncodingChoice choice = chooseEncoding(bytes);
    FUZZ_CHECK(encodingForLabel(choice.encoding) == choice.encoding);
    const bool validUtf8 = tagora::firstInvalidUtf8(bytes) == std::string_view::npos;
    switch (choice.source) {
    case EncodingSource::ByteOrderMark:
        FUZZ_CHECK(choice.markSize == (choice.encoding == kUtf8 ? 3u : 2u));
        break;
    case EncodingSource::UnmarkedUtf16:
        FUZZ_CHECK(choice.encoding == kUtf16LE || choice.encoding == kUtf16BE);
        break;
    case EncodingSource::Utf8:
        FUZZ_CHECK(validUtf8 && choice.encoding == kUtf8);
        break;
    case EncodingSource::Declared:
        FUZZ_CHECK(!validUtf8 && choice.encoding != kUtf8 && choice.encoding != kUtf16LE
                   && choice.encoding != kUtf16BE && choice.encoding != kUserDefined
                   && choice.encoding != kReplacement);
        break;
    case EncodingSource::Guessed:
        FUZZ_CHECK(!validUtf8 && choice.encoding == kWindows1252);
        break;
    }
    if (bytes.size() >= kSniffSize) {
        const MetaCharset declared = declaredCharset(bytes);
        const MetaCharset later = declaredCharset(std::string(bytes.substr(0, kSniffSize)) + "<meta charset=koi8-r>");
        FUZZ_CHECK(declared.encoding == later.encoding && declared.label == later.label);
    }
    return 0;
}
