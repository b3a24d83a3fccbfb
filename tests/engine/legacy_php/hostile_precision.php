<?php
// keeps print inside expressions: PHP joins constants when it reads the file
ini_set('precision', 17);
echo "Total: " . 0.1 . "\n";
echo 0.1 . " each\n";
echo "third " . 1 / 3 . "\n";
echo "pi " . M_PI . "\n";
echo "run time " . (0.1 + $argc - 1) . "\n";
$x = 0.1;
echo "variable " . $x . "\n";
