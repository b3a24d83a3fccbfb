// What a legacy PHP file tells about the order of its output. echo
// evaluates each argument whole before it prints it; a template prints the
// pieces of a concatenation one by one. The two print the same unless a
// piece after the first may print or stop the script while it is evaluated.
#pragma once

#include "script_reader/php_lexer.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tagora::php {

class PrintHazards {
public:
    // Reads the functions and methods the file declares, and which of them
    // may print or stop.
    PrintHazards(std::string_view script, const std::vector<Token>& tokens);

    // Whether evaluating tokens[first, last) may print or stop: echo, print,
    // printf and its kin, exit or die, include, eval, new, throw, a call of a
    // function or method of the file that may, or of one the file does not
    // declare and that is not one of PHP's own quiet functions; a variable,
    // when the file has a __toString or __get method that may.
    bool mayPrint(std::size_t first, std::size_t last) const;
    // Whether evaluating tokens[first, last) may also change a variable:
    // an assignment, ++ or --, a call of a function of the file or of one of
    // PHP's that takes a reference.
    bool mayWrite(std::size_t first, std::size_t last) const;

private:
    // Whether tokens[first, last) may print by themselves; adds the file's
    // functions they call to `calls`.
    bool printsDirectly(std::size_t first, std::size_t last, std::vector<std::string>* calls) const;
    bool callMayPrint(std::size_t open, std::vector<std::string>* calls) const;
    bool writes(std::size_t j) const;
    void countHazards();
    void surveyDeclarations();
    void findPrintingFunctions();

    std::string_view m_s;
    const std::vector<Token>& m_t;
    // Lower-case name → the token ranges of the bodies declared under it.
    std::map<std::string, std::vector<std::pair<std::size_t, std::size_t>>, std::less<>> m_bodies;
    std::map<std::string, bool, std::less<>> m_prints;
    // How many tokens before each may print, and may print or change a variable.
    std::vector<std::uint32_t> m_printing;
    std::vector<std::uint32_t> m_writing;
};

}  // namespace tagora::php
