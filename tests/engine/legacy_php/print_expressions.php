<?php
// keeps print inside expressions: print there is code.
// print is an expression with the value 1.
$n = 1;
$n ? print "yes\n" : print "no\n";
!$n ? print "yes\n" : print "no\n";
$x = (int) print "5\n";
echo $x, "\n";
$v = 0;
$v ?: print "default\n";
for ($i = 0; $i < 2 && print "loop $i\n"; $i++);
for ($i = 0; print "for $i\n"; $i++) {
    if ($i >= 1) break;
}
print "and\n" and print "after and\n";
print "or\n" or print "never\n";
$r = print "assigned\n";
echo $r + 1, "\n";
switch ($n) {
    case $n > 0 ? 1 : 2: print "case\n";
    default: print "default case\n";
}
if ($n): print "alternative\n"; else: print "other\n"; endif;
goto done;
done: print "label\n";
$list = [print "in array\n"];
echo count($list), "\n";
echo "x" . print "y\n";
echo "\n";
