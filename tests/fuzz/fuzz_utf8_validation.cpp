// Fuzzes the strict UTF-8 check against a plain decoder written here from
// the definition of UTF-8 (RFC 3629): a sequence is its lead byte's length
// of bytes, every byte after the lead is 10xxxxxx, and the value it spells
// is neither shorter than needed, nor a surrogate, nor above U+10FFFF.
#include "fuzz_check.h"
#include "fuzz_utf8.h"
#include "utf8.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const fuzz::Decoded reference = fuzz::decodeUtf8(bytes);
    FUZZ_CHECK(tagora::firstInvalidUtf8(bytes) == reference.firstInvalid);
    return 0;
}
