<?php
/* The files a PHP file includes, by PHP's own tokenizer, one line each:
 *   file PATH         a path written out ('x.php', "x.php");
 *   here PATH         one from the file's folder (__DIR__ . '/x.php',
 *                     dirname(__FILE__) . '/x.php');
 *   constant NAME PATH  NAME . 'x.php';
 *   computed          any other.
 * and for define('NAME', './') or define('NAME', dirname(__FILE__) . '/'):
 *   folder NAME */
function literal($t)
{
    if (!is_array($t) || $t[0] !== T_CONSTANT_ENCAPSED_STRING)
        return null;
    $quote = $t[1][0];
    $body = substr($t[1], 1, -1);
    if ($quote === '"' && strpbrk($body, '$\\') !== false)
        return null;
    return $body;
}

function text($t)
{
    return is_array($t) ? $t[1] : $t;
}

$tokens = array_values(array_filter(token_get_all(file_get_contents($argv[1])), function ($t) {
    return !is_array($t) || !in_array($t[0], [T_WHITESPACE, T_COMMENT, T_DOC_COMMENT], true);
}));
$includes = [T_INCLUDE, T_INCLUDE_ONCE, T_REQUIRE, T_REQUIRE_ONCE];
for ($i = 0; $i < count($tokens); ++$i) {
    $t = $tokens[$i];
    $words = array_map('text', array_slice($tokens, $i, 12));
    if (is_array($t) && $t[0] === T_STRING && strtolower($t[1]) === 'define' && ($words[1] ?? '') === '(') {
        $value = implode('', array_slice($words, 4, 7));
        if (preg_match("/^('\\.\\/'|\"\\.\\/\"|''|\"\")\\)/", $value)
            || preg_match("/^(dirname\\(__FILE__\\)|__DIR__)\\.('\\/'|\"\\/\")\\)/i", $value))
            echo 'folder ', literal($tokens[$i + 2]), "\n";
        continue;
    }
    if (!is_array($t) || !in_array($t[0], $includes, true))
        continue;
    $operand = [];
    $depth = 0;
    for ($j = $i + 1; $j < count($tokens); ++$j) {
        $w = text($tokens[$j]);
        if ($depth === 0 && ($w === ';' || $w === ',' || $w === ')' || (is_array($tokens[$j]) && $tokens[$j][0] === T_CLOSE_TAG)))
            break;
        $depth += in_array($w, ['(', '['], true) ? 1 : (in_array($w, [')', ']'], true) ? -1 : 0);
        $operand[] = $tokens[$j];
    }
    while (count($operand) >= 2 && text($operand[0]) === '(' && text(end($operand)) === ')')
        $operand = array_slice($operand, 1, -1);
    $shown = implode(' ', array_map('text', $operand));
    if (count($operand) === 1 && literal($operand[0]) !== null)
        echo 'file ', literal($operand[0]), "\n";
    elseif (count($operand) === 3 && text($operand[1]) === '.' && literal($operand[2]) !== null
            && strtoupper(text($operand[0])) === '__DIR__')
        echo 'here ', literal($operand[2]), "\n";
    elseif (count($operand) === 6 && preg_match('/^dirname \( __FILE__ \) \.$/i', implode(' ', array_map('text', array_slice($operand, 0, 5))))
            && literal($operand[5]) !== null)
        echo 'here ', literal($operand[5]), "\n";
    elseif (count($operand) === 3 && text($operand[1]) === '.' && literal($operand[2]) !== null
            && is_array($operand[0]) && $operand[0][0] === T_STRING)
        echo 'constant ', $operand[0][1], ' ', literal($operand[2]), "\n";
    else
        echo 'computed ', $shown, "\n";
}
