// UTF-8 validation by simdjson, which chooses the widest form the
// processor has (AVX-512, AVX2, SSE4.2, or plain) when first used.
#include "input_text/plain_text_simdjson.h"

#include <simdjson.h>

namespace tagora::plain_text {

bool isValidUtf8BySimdjson(const unsigned char* bytes, std::size_t size)
{
    return simdjson::validate_utf8(reinterpret_cast<const char*>(bytes), size);
}

std::vector<ValidatorForm> simdjsonForms()
{
    std::vector<ValidatorForm> forms;
    for (const simdjson::implementation* implementation : simdjson::get_available_implementations()) {
        if (!implementation->supported_by_runtime_system())
            continue;
        forms.push_back({implementation->name(), [implementation](const unsigned char* bytes, std::size_t size) {
                             return implementation->validate_utf8(reinterpret_cast<const char*>(bytes), size);
                         }});
    }
    return forms;
}

}  // namespace tagora::plain_text
