<?php
// Runs each script of the file "cases" (ended by 0x1D each), then prints 0x1D.
foreach (explode("\x1D", file_get_contents("cases"), -1) as $script) {
    try { eval("?>" . $script); } catch (Throwable $e) { echo get_class($e), ": ", $e->getMessage(); }
    echo "\x1D";
}
