# The targets, one line each, PHP and ASP first. Everything else that names
# them is made from this list when the build is configured: the Target enum
# and the table of targets.h, the choice of description (descriptions/ holds
# one header per target, named after it), tagora-convert's --help, manual
# pages and bash completion, the desktop entry, the AppStream data and the
# package description. Adding a target is its description, a line here and
# its interpreter's rows in the tests.
#
# tagora_target(NAME IDENTIFIER TITLE EXTENSION PRINTED_LINE_BREAK CLASSIC MENU_ITEM FILE_TYPES SUMMARY LANGUAGE)
#   NAME                as tagora-convert --to names it; the description is descriptions/NAME.h, - read as _
#   IDENTIFIER          the Target enumerator and the description's struct (IDENTIFIERClassic with CLASSIC)
#   TITLE               what the output box holds
#   EXTENSION           of a saved script
#   PRINTED_LINE_BREAK  what each line break of the text prints as: LF or CRLF
#   CLASSIC             CLASSIC when it has version 1.0's escaping, else -
#   MENU_ITEM           the Conversion menu's item, & before its access key
#   FILE_TYPES          the save dialog's name for such files
#   SUMMARY             the line in tagora-convert --help
#   LANGUAGE            the language, as lists of them name it
tagora_target(php        Php       "PHP Script"         .php  LF   CLASSIC "HTML to &PHP"                "PHP scripts"      "echo statements, one per line"           PHP)
tagora_target(asp        Asp       "ASP Script"         .asp  CRLF CLASSIC "HTML to &ASP"                "ASP scripts"      "Response.Write statements, one per line" ASP)
tagora_target(php-nowdoc PhpNowdoc "PHP Nowdoc Script"  .php  CRLF -       "HTML to PHP &Nowdoc"         "PHP scripts"      "one PHP nowdoc holding the text as it is" PHP)
tagora_target(js         Js        "JavaScript"         .js   LF   -       "HTML to &JavaScript"         "JavaScript files" "a JavaScript template literal"           JavaScript)
tagora_target(js-concat  JsConcat  "JavaScript Strings" .js   LF   -       "HTML to JavaScript S&trings" "JavaScript files" "JavaScript strings joined with +"        JavaScript)
tagora_target(json       Json      "JSON"               .json LF   -       "HTML to JS&ON"               "JSON files"       "one JSON string"                         JSON)
tagora_target(jsp        Jsp       "JSP Script"         .jsp  LF   -       "HTML to J&SP"                "JSP pages"        "out.write statements in a JSP scriptlet" JSP)
tagora_target(perl       Perl      "Perl Script"        .pl   LF   -       "HTML to P&erl"               "Perl scripts"     "print statements"                        Perl)
tagora_target(python     Python    "Python Script"      .py   LF   -       "HTML to P&ython"             "Python scripts"   "sys.stdout.write calls"                  Python)
