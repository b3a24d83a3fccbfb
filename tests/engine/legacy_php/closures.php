<?php
$people = array('ada' => 36, 'bob' => 41, 'cy' => 29);
$row = function ($name, $age) {
    echo "<tr><td>" . ucfirst($name) . "</td><td>$age</td></tr>\n";
};
echo "<table>\n";
foreach ($people as $name => $age) {
    $row($name, $age);
}
echo "</table>\n";
array_walk($people, function ($age, $name) { echo "$name:$age "; });
echo "\n";
$prefix = '# ';
$list = array_map(function ($n) use ($prefix) { return $prefix . $n; }, array_keys($people));
echo implode(', ', $list), "\n";
$double = fn($x) => $x * 2;
echo "Doubled: " . implode(' ', array_map($double, array(1, 2, 3))) . "\n";
$counter = static function () {
    static $calls = 0;
    $calls++;
    echo "call $calls\n";
};
$counter();
$counter();
