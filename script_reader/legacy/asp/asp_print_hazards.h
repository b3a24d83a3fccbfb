// What a legacy ASP page tells about the order of its output. The page
// evaluates a Response.Write argument whole before it prints; the template
// prints it piece by piece. The two print the same unless a piece after
// the first may print while it is evaluated, or an error skipped by
// On Error Resume Next stops the statement halfway.
#pragma once

#include "asp_error_free.h"
#include "vbscript_lexer.h"

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tagora {

class AspPrintHazards {
public:
    explicit AspPrintHazards(std::string_view page) : m_page(page) {}

    // Reads the procedures, variables and error handling of one code block.
    void survey(const std::vector<vbscript::Token>& tokens) { survey(m_page, tokens); }
    // Reads those of a file the page includes; false when its code cannot
    // be read. A <script runat="server"> block there (often JScript) is not
    // read as code: the names it may define (declared, assigned, a
    // function's) are noted as names that may print, change values or
    // fail; a block that may make names unseen (eval, this, Function,
    // Execute, GetRef, \u escapes, src=) cannot be read.
    bool surveyIncluded(std::string_view text);
    // Text or <%= %> between the blocks surveyed: inside a procedure, it
    // prints when the procedure runs.
    void notePrinting()
    {
        if (m_procedureDepth > 0)
            m_mentions[m_currentProcedure].insert("response");
    }
    // The page includes other files: their procedures are unknown.
    void noteInclude() { m_includes = true; }
    // Every included file was read: the names they do not declare are
    // the page's own, as if it included nothing.
    void knowIncludes() { m_includes = false; }

    // On Error Resume Next outside any procedure, or an included file not
    // read, which may hold one (as a database connection file often does):
    // an error in any write may be skipped halfway.
    bool skipsErrors() const { return m_skipsErrors || m_includes; }
    // Whether the page's own code outside procedures tells where errors
    // start being skipped: every include read, none of them skipping
    // errors outside procedures, and no On Error Resume Next in a loop.
    // On Error Resume Next then covers the statements after it, up to an
    // On Error GoTo 0 outside any block.
    bool errorSkippingFollowsThePage() const { return !m_includes && !m_includeSkipsErrors && !m_skipsInLoop; }
    // Whether an error in a write inside the procedure (lower case) may be
    // skipped halfway: On Error Resume Next outside procedures, or in a
    // procedure that may call this one. An error in a write outside
    // procedures stops the page unless skipsErrors().
    bool errorsMaySkipIn(const std::string& procedure) const;
    // Whether evaluating tokens[first, last) may print: it calls a
    // procedure of the page, Eval or Execute, a default member of the
    // page's classes, or, with includes, a name the page does not declare
    // that is not one of VBScript's own.
    bool mayPrint(const std::vector<vbscript::Token>& tokens, std::size_t first, std::size_t last) const;
    // Whether evaluating tokens[first, last) may change a value read
    // elsewhere: it calls a procedure or class of the page that may (see
    // changingProcedures()), a default
    // member, Eval, Execute or GetRef, a method that moves or changes an
    // object (a recordset's MoveNext, a dictionary's Add...), or, with
    // includes not read, a name the page does not declare.
    bool mayChangeState(const std::vector<vbscript::Token>& tokens, std::size_t first, std::size_t last) const;
    // Whether tokens[first, last) name a variable (or a name that may be
    // one) without parentheses: not a procedure of the page, nor a
    // member, nor one of VBScript's own names.
    bool readsVariable(const std::vector<vbscript::Token>& tokens, std::size_t first, std::size_t last) const;
    // Some included file was not read: the names it declares are unknown.
    bool includesUnread() const { return m_includes; }
    // Whether the (lower-case) name is VBScript's own or one the page or a
    // file it includes declares.
    bool isKnown(const std::string& word) const;
    // Whether evaluating tokens[first, last) in the procedure (lower case,
    // empty outside procedures) can neither fail nor print, every include
    // being read (asp_error_free.h).
    bool cannotFail(const std::vector<vbscript::Token>& tokens, std::size_t first, std::size_t last,
                    const std::string& procedure) const
    {
        return !m_includes && !namesScriptBlock(tokens, first, last)
               && m_values.cannotFail(m_page, tokens, first, last, procedure, m_procedures);
    }
    // Whether what Response.Write sends may be in another code page than
    // the page's HTML text, which goes out as the file holds it: the page
    // or a file it includes sets (or reads) Response.CodePage or
    // Session.CodePage, or an included file was not read.
    bool codePageMayDiffer() const { return m_codePage || m_includes; }

private:
    void survey(std::string_view text, const std::vector<vbscript::Token>& tokens);
    bool surveyServerScripts(std::string_view html);
    bool noteScriptBlockNames(std::string_view body);
    // Whether tokens[first, last) name (not as a member) a name a server
    // script block of an include may define.
    bool namesScriptBlock(const std::vector<vbscript::Token>& tokens, std::size_t first, std::size_t last) const;
    bool fromScriptBlock(const std::string& name, bool member) const { return !member && m_scriptBlockNames.count(name); }
    void noteAssignment(std::string_view text, const std::vector<vbscript::Token>& tokens, std::size_t i,
                        bool statementStart);
    const std::set<std::string>& changingProcedures() const;
    bool mentionsChanging(const std::set<std::string>& mentions) const;
    using MentionTest = bool (AspPrintHazards::*)(const std::set<std::string>&) const;
    void addCallers(std::set<std::string>& procedures, MentionTest mentionsOne) const;
    const std::set<std::string>& printingProcedures() const;
    bool mentionsPrinting(const std::set<std::string>& mentions) const;

    std::string_view m_page;
    std::set<std::string> m_procedures;
    std::set<std::string> m_declared;
    bool m_skipsErrors = false;
    bool m_includeSkipsErrors = false;  // outside procedures
    bool m_skipsInLoop = false;         // outside procedures
    bool m_surveyingInclude = false;
    int m_loopDepth = 0;                // outside procedures, while surveying
    std::set<std::string> m_skippingProcedures;                // with On Error Resume Next
    std::map<std::string, std::set<std::string>> m_mentions;  // the names each procedure's body holds
    mutable std::optional<std::set<std::string>> m_atRisk;
    mutable bool m_everyProcedureAtRisk = false;
    std::set<std::string> m_classes;
    mutable std::optional<std::set<std::string>> m_printing;
    int m_procedureDepth = 0;  // while surveying
    std::string m_currentProcedure;
    bool m_includes = false;
    bool m_defaultMember = false;
    AspErrorFreeValues m_values;
    bool m_codePage = false;
    bool m_inSetter = false;                                        // in a Property Let or Set, while surveying
    std::map<std::string, std::set<std::string>> m_localsOf;       // each procedure's locals and ByVal parameters
    std::map<std::string, std::set<std::string>> m_assignedIn;     // what each procedure assigns ("." an object)
    mutable std::optional<std::set<std::string>> m_changing;
    std::set<std::string> m_scriptBlockNames;  // lower case
};

}  // namespace tagora
