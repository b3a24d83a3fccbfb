// Which values a classic ASP page can read in a write without an error.
// Under On Error Resume Next a write whose expression fails prints
// nothing, while its template would print the text around the failing
// part: a write may be split only where no part can fail. A name can
// fail to be read when it is undeclared under Option Explicit, or, joined
// with &, when it holds an array or an object. Reading every statement
// of the page and of the files it includes, without regard to the order
// they run in, tells the names that only ever hold strings, numbers and
// the like: every assignment to them gives such a value, and they are
// never Set, dimensioned as arrays, used as an array, an object or a
// procedure, nor passed whole to a procedure that might assign them
// (VBScript passes arguments by reference).
#pragma once

#include "vbscript_lexer.h"

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tagora {

class AspErrorFreeValues {
public:
    // Reads one code block, of the page or of a file it includes, in the
    // order ASP would put them.
    void survey(std::string_view text, const std::vector<vbscript::Token>& tokens);

    // Whether evaluating tokens[first, last) of `text` can neither fail
    // nor print: a literal, a constant, Err's number, description or
    // source, or a name that holds only plain values and is declared
    // where Option Explicit asks for it. `procedure` is the one the
    // expression is in (lower case, empty outside procedures);
    // `procedures`, every procedure and class of the page and its
    // includes. Only valid once every block has been surveyed.
    bool cannotFail(std::string_view text, const std::vector<vbscript::Token>& tokens, std::size_t first,
                    std::size_t last, const std::string& procedure, const std::set<std::string>& procedures) const;

    struct Item {
        vbscript::TokenKind kind;
        std::string text;  // words in lower case
    };
    using Statement = std::vector<Item>;

private:
    void statement(const Statement& code);
    void declarations(const Statement& code, std::size_t from);
    void header(const Statement& code, std::size_t keyword);
    void assignment(const Statement& code);
    void occurrences(const Statement& code);
    bool plainValue(const Statement& code, std::size_t first, std::size_t last, const std::string& target);
    void declare(const std::string& name);
    void touch(const std::string& name);
    bool assignsNoParameter(const std::string& procedure) const;
    static bool createsAdoObject(const Statement& code, std::size_t first);
    bool isPlainName(const std::string& name, const std::string& procedure,
                     const std::set<std::string>& procedures) const;
    const std::set<std::string>& unsafe(const std::set<std::string>& procedures) const;

    std::set<std::string> m_unsafe;                               // may hold an array, an object, anything
    std::multimap<std::string, std::string> m_copies;             // x = y: x holds what y holds
    std::vector<std::pair<std::string, std::string>> m_arguments;  // a name passed whole, and to what
    std::set<std::string> m_notAdo;                               // may hold something else than ADO's objects
    std::set<std::string> m_known;                                // declared or assigned somewhere
    std::set<std::string> m_globals;                              // declared outside procedures and classes
    std::map<std::string, std::set<std::string>> m_locals;        // declared in each procedure
    std::set<std::string> m_definedTwice;                         // procedures of that name in two classes
    std::map<std::string, std::vector<std::string>> m_parameters;  // of each procedure
    std::map<std::string, std::set<std::string>> m_touched;        // names each procedure may assign
    bool m_explicit = false;
    bool m_dynamic = false;  // Execute, ExecuteGlobal or Eval: code unseen may assign anything
    std::string m_procedure;
    bool m_inProcedure = false;
    int m_classDepth = 0;
    mutable std::optional<std::set<std::string>> m_allUnsafe;
};

}  // namespace tagora
