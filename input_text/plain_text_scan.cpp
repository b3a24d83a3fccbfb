#include "input_text/plain_text_scan.h"

#include "input_text/byte_scan.h"
#include "input_text/plain_text_forms.h"
#include "input_text/utf8.h"

#if defined(TAGORA_SIMDJSON)
#include "input_text/plain_text_simdjson.h"
#endif

#include <vector>

namespace tagora::plain_text {

#if defined(TAGORA_AVX2_FORM)
// plain_text_avx2.cpp
bool leavesAsItIsAvx2(const unsigned char* bytes, std::size_t size);
bool isPlainTextAvx2(const unsigned char* bytes, std::size_t size);
// plain_text_sse42.cpp
bool isPlainTextSse42(const unsigned char* bytes, std::size_t size);
#endif

namespace {

#if defined(TAGORA_AVX2_FORM)
// The one place that asks the processor what it has.
bool processorHasAvx2()
{
    return __builtin_cpu_supports("avx2");
}
bool processorHasSse42()
{
    return __builtin_cpu_supports("sse4.2");
}
#endif

std::vector<ScanForm> availableScanForms()
{
    std::vector<ScanForm> forms;
#if defined(TAGORA_AVX2_FORM)
    if (processorHasAvx2())
        forms.push_back({"AVX2", leavesAsItIsAvx2});
#endif
#if defined(__wasm_simd128__)
    forms.push_back({"WebAssembly SIMD", leavesAsItIsInBlocks<scan::WasmSimd>});
#elif defined(__SSE2__)
    forms.push_back({"SSE2", leavesAsItIsInBlocks<scan::Sse2>});
#endif
    forms.push_back({"plain", leavesAsItIsInBlocks<scan::Plain>});
    return forms;
}

bool isValidUtf8Portable(const unsigned char* bytes, std::size_t size)
{
    return utf8::wellFormedPrefix(bytes, size) == size;
}

// The scan in the widest form that this build has for every processor of
// its kind (SSE2, WebAssembly SIMD), and the validation in the chosen one.
bool isPlainTextInTwoPasses(const unsigned char* bytes, std::size_t size)
{
    return leavesAsItIsInBlocks<scan::Chosen>(bytes, size) && isValidUtf8(bytes, size);
}

std::vector<PlainTextForm> availablePlainTextForms()
{
    std::vector<PlainTextForm> forms;
#if defined(TAGORA_AVX2_FORM)
    if (processorHasAvx2())
        forms.push_back({"AVX2", isPlainTextAvx2});
    if (processorHasSse42())
        forms.push_back({"SSE4.2", isPlainTextSse42});
#endif
    forms.push_back({"two passes", isPlainTextInTwoPasses});
    forms.push_back({"one by one", isPlainTextOneByOne});
    return forms;
}

std::vector<ValidatorForm> availableValidatorForms()
{
    std::vector<ValidatorForm> forms;
#if defined(TAGORA_SIMDJSON)
    forms.push_back({"simdjson", isValidUtf8BySimdjson});
    for (ValidatorForm& form : simdjsonForms())
        forms.push_back(std::move(form));
#endif
    forms.push_back({"portable", isValidUtf8Portable});
    return forms;
}

}  // namespace

bool isPlainTextOneByOne(const unsigned char* bytes, std::size_t size)
{
    return leavesAsItIsPlain(bytes, size) && isValidUtf8Portable(bytes, size);
}

std::span<const PlainTextForm> plainTextForms()
{
    static const std::vector<PlainTextForm> forms = availablePlainTextForms();
    return forms;
}

bool isPlainText(const unsigned char* bytes, std::size_t size)
{
    static const auto chosen = plainTextForms().front().isPlainText;
    return chosen(bytes, size);
}

std::span<const ScanForm> scanForms()
{
    static const std::vector<ScanForm> forms = availableScanForms();
    return forms;
}

std::span<const ValidatorForm> validatorForms()
{
    static const std::vector<ValidatorForm> forms = availableValidatorForms();
    return forms;
}

bool leavesAsItIs(const unsigned char* bytes, std::size_t size)
{
    static const auto chosen = scanForms().front().leavesAsItIs;
    return chosen(bytes, size);
}

bool isValidUtf8(const unsigned char* bytes, std::size_t size)
{
#if defined(TAGORA_SIMDJSON)
    return isValidUtf8BySimdjson(bytes, size);
#else
    return isValidUtf8Portable(bytes, size);
#endif
}

}  // namespace tagora::plain_text
