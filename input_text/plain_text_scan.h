// Whether a block of UTF-8 is already its own input text, found at the
// speed of memory: the scans run in the widest SIMD form this processor
// has, chosen once when first used. Every form gives the same answer; the
// tests hold each against a plain reference.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string_view>

namespace tagora::plain_text {

// Well-formed UTF-8 that ends between characters.
bool isValidUtf8(const unsigned char* bytes, std::size_t size);

// True when the input text rules leave the bytes as they are, given that
// they are well-formed UTF-8: each CR before an LF, each LF after a CR
// (both within the bytes), and none of U+2029, U+FDD0 or U+FDD1.
bool leavesAsItIs(const unsigned char* bytes, std::size_t size);

// Both at once: isValidUtf8() && leavesAsItIs(), in one pass over the
// bytes where the processor has SSE4.2 or AVX2.
bool isPlainText(const unsigned char* bytes, std::size_t size);

// The forms this processor can run, the chosen one first, for the tests.
struct PlainTextForm {
    std::string_view name;
    bool (*isPlainText)(const unsigned char* bytes, std::size_t size);
};
std::span<const PlainTextForm> plainTextForms();

struct ScanForm {
    std::string_view name;
    bool (*leavesAsItIs)(const unsigned char* bytes, std::size_t size);
};
std::span<const ScanForm> scanForms();

struct ValidatorForm {
    std::string_view name;
    std::function<bool(const unsigned char* bytes, std::size_t size)> isValidUtf8;
};
std::span<const ValidatorForm> validatorForms();

}  // namespace tagora::plain_text
