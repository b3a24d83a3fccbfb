<?php
$name = 'Bob';
print "<p>Hello, $name</p>\n";
print("<p>With parentheses</p>\n");
print('<p>Single ' . 'joined' . "</p>\n");
print("<p>Parenthesised first") . " then joined</p>\n";
print $name . "\n";
print(strtoupper($name)) . PHP_EOL;
$result = strlen($name);
echo "name has $result letters\n";
PRINT "upper case keyword\n";
Echo "mixed case echo\n";
