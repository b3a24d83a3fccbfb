// simdjson's UTF-8 validation, kept to one file of its own: the library's
// header is large.
#pragma once

#include "input_text/plain_text_scan.h"

#include <cstddef>
#include <vector>

namespace tagora::plain_text {

bool isValidUtf8BySimdjson(const unsigned char* bytes, std::size_t size);
// Each of its forms that this processor runs.
std::vector<ValidatorForm> simdjsonForms();

}  // namespace tagora::plain_text
