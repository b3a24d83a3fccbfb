// Reading the whole input, from a file or from standard input.
#pragma once

#include <string>
#include <variant>

namespace tagora::cli {

struct ReadFailure {
    std::string reason;  // the system's description of the error
};

// Reads every byte of the named file, or of standard input for "-".
std::variant<std::string, ReadFailure> readAllBytes(const std::string& file);

}  // namespace tagora::cli
