// What a legacy PHP program tells about the order of its output. echo
// evaluates each argument whole before it prints it; a template prints the
// pieces of a concatenation one by one. The two print the same unless a
// piece after the first may print, stop the script, raise a warning that
// an error handler prints, or throw, while it is evaluated: an uncaught
// error stops the page after the text in front of the piece printed. The program is the page and the files it
// includes; a file that cannot be read may do anything.
#pragma once

#include "php_lexer.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tagora::php {

// One file of the program, lexed.
struct ProgramFile {
    std::string_view script;
    const std::vector<Token>* tokens = nullptr;
};

// Why evaluating a piece of a write may show before the text in front of it.
enum class Hazard {
    None,
    Prints,        // it prints, stops, or runs code the program does not show
    ErrorHandler,  // a warning it raises goes to an error handler, which may print
    Caught,        // it may throw, and the exception may be caught
    Throws,        // it may throw an error, which stops the page
    Unknown,       // an included file cannot be read: it may do anything
};

// What makes the whole page keep every write as it is.
enum class PageHazard {
    None,
    Ticks,         // declare(ticks=…) and a tick function: code runs between statements
    ChunkedOutput, // ob_start with a chunk size: its callback sees output in pieces
};

class PrintHazards {
public:
    // Reads the functions and methods the files declare, and which of them
    // may print or stop. `included` are the other files of the program;
    // `includesKnown`: every file the program includes is among them.
    PrintHazards(std::string_view script, const std::vector<Token>& tokens,
                 const std::vector<ProgramFile>& included = {}, bool includesKnown = true);

    // Whether evaluating tokens[first, last) of the page may print or stop:
    // echo, print, printf and its kin, exit or die, include, eval, new, throw,
    // a call of a function or method that may, or of one the program does
    // not declare and that is not one of PHP's own quiet functions; a
    // variable, when a magic method of the program may.
    bool mayPrint(std::size_t first, std::size_t last) const;
    // Whether evaluating tokens[first, last) may also change a variable:
    // an assignment, ++ or --, a call of a function of the program or of one
    // of PHP's that takes a reference.
    bool mayWrite(std::size_t first, std::size_t last) const;
    // Whether evaluating tokens[first, last) of the page may throw: a call
    // (but of a few of PHP's functions that take any value, or of one of the
    // program's that cannot throw), arithmetic, a constant the program does
    // not define, a class's member; or what may print. Reading a variable,
    // an offset or a property only warns, unless it holds an object that
    // cannot be text or a string given a string offset: not counted.
    bool mayThrow(std::size_t first, std::size_t last) const;
    // Why tokens[first, last) of the page, a value that is not a literal,
    // may show before text printed in front of it.
    Hazard hazard(std::size_t first, std::size_t last) const;

    PageHazard pageHazard() const { return m_pageHazard; }
    // A prefix of variable names no file of the program uses.
    const std::string& freeName() const { return m_freeName; }

private:
    struct Body {
        std::size_t file;
        std::size_t first;
        std::size_t last;
        bool typed;  // its parameters or its result have a type
    };
    std::string_view text(std::size_t file, const Token& token) const;
    const Token& token(std::size_t file, std::size_t i) const { return (*m_files[file].tokens)[i]; }
    std::size_t size(std::size_t file) const { return m_files[file].tokens->size(); }
    bool isName(std::size_t file, std::size_t i, std::string_view lowerName) const;
    bool isPunct(std::size_t file, std::size_t i, std::string_view punct) const;

    // Whether tokens[first, last) of a file may print by themselves; adds
    // the program's functions they call to `calls`.
    bool printsDirectly(std::size_t file, std::size_t first, std::size_t last, std::vector<std::string>* calls) const;
    bool callMayPrint(std::size_t file, std::size_t open, std::vector<std::string>* calls) const;
    // Whether token j of a file may throw by itself (a call of the program's
    // own functions is added to `calls` instead).
    bool throwsDirectly(std::size_t file, std::size_t j, std::vector<std::string>* calls) const;
    bool isUnknownConstant(std::size_t file, std::size_t j) const;
    void surveyConstants(std::size_t file);
    bool writes(std::size_t j) const;
    void countHazards();
    void surveyDeclarations(std::size_t file);
    void surveyProgram(std::size_t file);
    void findPrintingFunctions();
    void findCatchingScopes();
    void noteVariable(std::string_view name);
    void chooseFreeName();

    std::vector<ProgramFile> m_files;  // the page first
    bool m_includesKnown = true;
    // Lower-case name → the token ranges of the bodies declared under it.
    std::map<std::string, std::vector<Body>, std::less<>> m_bodies;
    std::map<std::string, bool, std::less<>> m_prints;
    std::map<std::string, bool, std::less<>> m_throws;
    std::set<std::string, std::less<>> m_constants;  // defined by define() or const
    // By token of the page, one bit each: it may print; it may print or
    // change a variable; it may throw.
    std::vector<bool> m_printing;
    std::vector<bool> m_writing;
    std::vector<bool> m_throwing;
    // By token of the page: inside a try block or a function body, where
    // an exception may be caught.
    std::vector<bool> m_catching;
    bool m_errorHandler = false;    // set_error_handler
    bool m_exceptionHook = false;   // set_exception_handler, register_shutdown_function
    bool m_hasTry = false;
    bool m_autoloads = false;       // spl_autoload_register or __autoload: a class name may load a file
    bool m_valuesPrint = false;
    bool m_declaresTicks = false;
    bool m_tickFunction = false;    // register_tick_function     // a magic method that may print: any value may
    PageHazard m_pageHazard = PageHazard::None;
    // The most underscores after "$__w" that a variable name of the program
    // starts with, plus one; zero when none starts with "$__w".
    std::size_t m_freeUnderscores = 0;
    std::string m_freeName;
};

}  // namespace tagora::php
