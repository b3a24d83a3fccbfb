<?php
/* For every PHP file named: each echo or print left, each <?= ?> that holds
 * only literals, and each <?= ?> that holds a concatenation it could have
 * been split at (a "." with nothing at its level that binds less tightly,
 * and no call, ++ or -- in it, which may print or change a variable before
 * the concatenation is done, nor '' . (a float constant)).
 * Used by tst_php_template on the templates it makes. */
$looser = [T_IS_EQUAL, T_IS_NOT_EQUAL, T_IS_IDENTICAL, T_IS_NOT_IDENTICAL, T_IS_SMALLER_OR_EQUAL,
    T_IS_GREATER_OR_EQUAL, T_SPACESHIP, T_BOOLEAN_AND, T_BOOLEAN_OR, T_COALESCE, T_LOGICAL_AND, T_LOGICAL_OR,
    T_LOGICAL_XOR, T_DOUBLE_ARROW, T_PRINT, T_FN, T_FUNCTION, T_INCLUDE, T_REQUIRE, T_YIELD, T_THROW,
    T_PLUS_EQUAL, T_MINUS_EQUAL, T_CONCAT_EQUAL, T_MUL_EQUAL, T_DIV_EQUAL, T_COALESCE_EQUAL, '?', ':', '=', '<',
    '>', '&', '|', '^'];
$literal = [T_CONSTANT_ENCAPSED_STRING, T_LNUMBER, T_START_HEREDOC, T_ENCAPSED_AND_WHITESPACE, T_END_HEREDOC, '.'];
foreach (array_slice($argv, 1) as $file) {
    $e = null;
    foreach (token_get_all(file_get_contents($file)) as $token) {
        [$id, $text, $line] = is_array($token) ? $token : [$token, $token, 0];
        $where = basename($file) . ($line ? ":$line" : '');
        if ($id === T_ECHO || $id === T_PRINT)
            echo "$where: $text left\n";
        if ($id === T_OPEN_TAG_WITH_ECHO) {
            $e = ['depth' => 0, 'quoted' => false, 'literals' => true, 'dot' => false, 'looser' => false, 'text' => '', 'call' => false, 'last' => null];
        } elseif ($e !== null && $id === T_CLOSE_TAG) {
            if ($e['literals'] && $e['text'] !== "'<?'")
                echo "$where: literal left in <?= {$e['text']} ?>\n";
            // a float constant joined to '' as PHP reads the file stays so
            if ($e['dot'] && !$e['looser'] && !$e['call'] && !str_starts_with($e['text'], "''.("))
                echo "$where: concatenation left in <?= {$e['text']} ?>\n";
            $e = null;
        } elseif ($e !== null && !in_array($id, [T_WHITESPACE, T_COMMENT, T_DOC_COMMENT], true)) {
            $top = $e['depth'] == 0 && !$e['quoted'];
            $e['text'] .= $text;
            $e['call'] = $e['call'] || in_array($id, [T_EXIT, T_NEW, T_EVAL, T_INCLUDE, T_REQUIRE, T_INC, T_DEC], true)
                || ($text === '(' && in_array($e['last'], [T_STRING, T_NAME_FULLY_QUALIFIED, T_VARIABLE, ')'], true));
            $e['last'] = $id;
            $e['literals'] = $e['literals'] && (in_array($id, $literal, true) || ($id === T_STRING && $text === 'PHP_EOL'));
            $e['dot'] = $e['dot'] || ($top && $text === '.');
            $e['looser'] = $e['looser'] || ($top && in_array($id, $looser, true));
            if (in_array($text, ['(', '[', '{'], true) || in_array($id, [T_CURLY_OPEN, T_DOLLAR_OPEN_CURLY_BRACES], true))
                $e['depth']++;
            if (in_array($text, [')', ']', '}'], true))
                $e['depth']--;
            if (in_array($text, ['"', '`'], true) || in_array($id, [T_START_HEREDOC, T_END_HEREDOC], true))
                $e['quoted'] = $id !== T_END_HEREDOC && !$e['quoted'];
        }
    }
}
