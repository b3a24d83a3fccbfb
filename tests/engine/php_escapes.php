<?php
/* For each argument, a backslash sequence: "escape" when PHP reads it in a
 * double-quoted string as something else than its own characters, else
 * "literal". One line per argument. */
foreach (array_slice($argv, 1) as $sequence) {
    $value = eval('return "' . $sequence . '";');
    echo $value === $sequence ? "literal\n" : "escape\n";
}
