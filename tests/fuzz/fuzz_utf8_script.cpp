// Fuzzes the generators' UTF-8 path against their 16-bit path: for valid
// UTF-8, every target and both escapings, the script made from the bytes
// is the script made from the decoded text, encoded as UTF-8.
#include "fuzz_check.h"
#include "reference.h"
#include "script_writer/script_generator.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using tagora::Escaping;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const fuzz::Decoded decoded = fuzz::decodeUtf8(bytes);
    if (decoded.firstInvalid != std::string_view::npos)
        return 0;
    const auto buffer = fuzz::exactCopy(std::u16string_view(decoded.text));
    const std::u16string_view text(buffer.get(), decoded.text.size());
    for (const tagora::TargetInfo& info : tagora::targets()) {
        for (const Escaping escaping : {Escaping::Exact, Escaping::Classic}) {
            const auto fromBytes = tagora::script(info.target, escaping, bytes);
            const auto fromText = tagora::script(info.target, escaping, text);
            FUZZ_CHECK(fromBytes.has_value() == fromText.has_value());
            if (fromText)
                FUZZ_CHECK(*fromBytes == fuzz::encodeUtf8(*fromText));
        }
    }
    return 0;
}
