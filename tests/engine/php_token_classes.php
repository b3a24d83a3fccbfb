<?php
/* For each file named: one letter per byte of it, saying what PHP's own
 * tokenizer makes of that byte: C a comment, S a string (quotes, heredoc
 * markers and literal text inside), T an open or close tag, V a variable,
 * O anything else (inline HTML, code, whitespace). One line per file. */
$classes = [
    T_COMMENT => 'C', T_DOC_COMMENT => 'C',
    T_CONSTANT_ENCAPSED_STRING => 'S', T_ENCAPSED_AND_WHITESPACE => 'S',
    T_START_HEREDOC => 'S', T_END_HEREDOC => 'S',
    T_OPEN_TAG => 'T', T_OPEN_TAG_WITH_ECHO => 'T', T_CLOSE_TAG => 'T',
    T_VARIABLE => 'V',
];
foreach (array_slice($argv, 1) as $file) {
    $line = '';
    foreach (token_get_all(file_get_contents($file)) as $token) {
        [$id, $text] = is_array($token) ? $token : [$token, $token];
        $class = $classes[$id] ?? ($text === '"' || $text === '`' ? 'S' : 'O');
        $line .= str_repeat($class, strlen($text));
    }
    echo $line, "\n";
}
