<?php
// keeps print inside expressions: a later piece changes a value PHP reads late
$count = 0;
echo $count . preg_replace('/a/', 'b', 'banana', -1, $count) . " replaced\n";
echo "<p>" . $count . preg_replace('/n/', 'm', 'banana', -1, $count) . "</p>\n";
$n = 1;
function bump() { global $n; $n++; return ''; }
echo $n . bump() . "<br>\n";
class Counter
{
    public $n = 1;
    public function __toString() { return "count $this->n"; }
}
$c = new Counter();
$holder = ['c' => $c];
function grow($c) { $c->n = 9; return '!'; }
echo $holder['c'] . grow($c) . "\n";
echo $c . grow($c) . "\n";
