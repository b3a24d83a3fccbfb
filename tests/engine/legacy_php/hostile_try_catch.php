<?php
// Exceptions thrown while a write builds its text, caught: nothing of
// that write is printed.
function ratio($a, $b)
{
    try {
        echo "<td>" . $a / $b . "</td>\n";
    } catch (DivisionByZeroError $e) {
        echo "<td>n/a</td>\n";
    }
}
ratio(6, 3);
ratio(1, 0);
try {
    echo "<td>" . intdiv(7, 0) . "</td>\n";
} catch (DivisionByZeroError $e) {
    echo "<td>none</td>\n";
}
try {
    echo "<td>" . strlen([]) . "</td>\n";
} catch (TypeError $e) {
    echo "<td>type</td>\n";
}
try {
    echo "<td>" . UNDEFINED_THING . "</td>\n";
} catch (Error $e) {
    echo "<td>constant</td>\n";
}
try {
    echo "<td>" . 5 % 0 . "</td>\n";
} catch (DivisionByZeroError $e) {
    echo "<td>modulo</td>\n";
}
function show($value)
{
    echo "<em>" . $value . "</em>\n";
}
try {
    show(new stdClass());
} catch (Error $e) {
    echo "<em>object</em>\n";
}
