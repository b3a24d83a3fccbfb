<?php
// PHP reads a plain variable left of "." only after the right side is
// evaluated; a call there may change it.
$x = "old";
function g() { global $x; $x = "new"; return "!"; }
echo "<a>" . $x . g() . "</a>\n";
$x = "old";
echo $x . g() . "<br>\n";
$y = 1;
echo $y . $y++ . "<br>\n";
$x = "old";
echo "$x" . g() . "{$x}" . g() . "\n";
$z = ["k" => "old"];
function i() { global $z; $z["k"] = "new"; return "!"; }
echo $z["k"] . i() . "\n";
$x = "old";
echo $x . strtoupper(g()) . "\n";
$list = [3, 1];
echo $list[0] . sort($list) . "|" . $list[0] . "\n";
$n = 5;
echo $n . htmlspecialchars("<b>") . $n . "\n";
