<?php
// A page that dies of an uncaught error in the middle of a write: PHP
// prints nothing of that write, only what came before it.
define('SITE', 'Shop');
const CURRENCY = 'EUR';
$rows = ['apples' => 3, 'pears' => 0];
$title = 'Stock';
echo "<h1>" . SITE . " " . $title . "</h1>\n";
echo "<p>" . htmlspecialchars($title) . " in " . CURRENCY . "</p>\n";
echo "<p>" . (is_array($rows) ? 'rows' : 'none') . ", " . 1 / 4 . "</p>\n";
foreach ($rows as $name => $count) {
    echo "<tr><td>" . $name . "</td><td>" . 12 % $count . "</td></tr>\n";
}
echo "<footer>never printed</footer>\n";
