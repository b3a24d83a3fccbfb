<?php
/* For a PHP file and its template: the bytes of literal text that echo and
 * print write in the file, and the bytes of inline HTML in each, by PHP's own
 * tokenizer. Prints "literal original_html template_html". */
function inline_html($code)
{
    $n = 0;
    foreach (token_get_all($code) as $t)
        if (is_array($t) && $t[0] === T_INLINE_HTML)
            $n += strlen($t[1]);
    return $n;
}
function echoed_literals($code)
{
    $n = 0;
    $in = false;
    foreach (token_get_all($code) as $t) {
        $id = is_array($t) ? $t[0] : $t;
        if ($id === T_ECHO || $id === T_PRINT || $id === T_OPEN_TAG_WITH_ECHO)
            $in = true;
        elseif ($id === ';' || $id === T_CLOSE_TAG)
            $in = false;
        elseif ($in && $id === T_CONSTANT_ENCAPSED_STRING)
            $n += strlen($t[1]) - 2;
        elseif ($in && $id === T_ENCAPSED_AND_WHITESPACE)
            $n += strlen($t[1]);
    }
    return $n;
}
[$original, $template] = [file_get_contents($argv[1]), file_get_contents($argv[2])];
echo echoed_literals($original), ' ', inline_html($original), ' ', inline_html($template), "\n";
