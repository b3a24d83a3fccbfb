<?php
/* For a PHP file and its template, by PHP's own tokenizer:
 *   all      bytes of every string literal inside echo and print statements
 *            (array keys and function arguments too: the older measure);
 *   written  bytes of the literal text that echo and print write: the
 *            strings (and the text of "..." and heredocs) that are not an
 *            array key nor a function's or method's argument;
 *   original bytes of inline HTML in the file;
 *   template bytes of inline HTML in the template.
 * Prints "all written original template". */
function inline_html($code)
{
    $n = 0;
    foreach (token_get_all($code) as $t)
        if (is_array($t) && $t[0] === T_INLINE_HTML)
            $n += strlen($t[1]);
    return $n;
}

// A "(" after these opens an argument list, not a group.
function calls_with_bracket($id)
{
    return in_array($id, [T_STRING, T_NAME_QUALIFIED, T_NAME_FULLY_QUALIFIED, T_VARIABLE, ')', ']', '}',
                          T_ISSET, T_EMPTY, T_ARRAY, T_LIST, T_EVAL, T_EXIT], true);
}

function echoed_literals($code)
{
    $all = $written = 0;
    $in = false;
    $frames = [];      // per open bracket: whether what it holds is written text
    $previous = null;  // the last token that is not whitespace or a comment
    foreach (token_get_all($code) as $t) {
        $id = is_array($t) ? $t[0] : $t;
        if ($id === T_WHITESPACE || $id === T_COMMENT || $id === T_DOC_COMMENT)
            continue;
        if ($id === T_ECHO || $id === T_PRINT || $id === T_OPEN_TAG_WITH_ECHO) {
            $in = true;
            $frames = [];
        } elseif ($in && $frames === [] && ($id === ';' || $id === T_CLOSE_TAG)) {
            $in = false;
        } elseif ($in && ($id === '(' || $id === '[' || $id === '{' || $id === T_CURLY_OPEN
                          || $id === T_DOLLAR_OPEN_CURLY_BRACES)) {
            $text = $frames === [] || end($frames);
            $frames[] = $id === '(' && $text && !calls_with_bracket($previous);
        } elseif ($in && ($id === ')' || $id === ']' || $id === '}')) {
            array_pop($frames);
        } elseif ($in && ($id === T_CONSTANT_ENCAPSED_STRING || $id === T_ENCAPSED_AND_WHITESPACE)) {
            $bytes = $id === T_CONSTANT_ENCAPSED_STRING ? strlen($t[1]) - 2 : strlen($t[1]);
            $all += $bytes;
            if ($frames === [] || end($frames))
                $written += $bytes;
        }
        $previous = $id;
    }
    return [$all, $written];
}

[$original, $template] = [file_get_contents($argv[1]), file_get_contents($argv[2])];
[$all, $written] = echoed_literals($original);
echo $all, ' ', $written, ' ', inline_html($original), ' ', inline_html($template), "\n";
