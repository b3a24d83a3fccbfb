<?php
function h($s)
{
    return htmlspecialchars($s, ENT_QUOTES, 'UTF-8');
}

function print_row($cells, $tag = 'td')
{
    echo "<tr>";
    foreach ($cells as $cell) {
        echo "<$tag>" . h($cell) . "</$tag>";
    }
    echo "</tr>\n";
}

function print_table($rows)
{
    echo "<table>\n";
    print_row(array_keys($rows[0]), 'th');
    foreach ($rows as $row) {
        print_row($row);
    }
    echo "</table>\n";
    return count($rows);
}

function greeting($hour)
{
    if ($hour < 12) {
        return 'Good morning';
    }
    return 'Good afternoon';
}

$rows = array(
    array('city' => 'Paris', 'pop' => '2.1M'),
    array('city' => 'Zürich', 'pop' => '0.4M'),
    array('city' => "O'Fallon", 'pop' => '<0.1M'),
);
echo "<p>" . greeting(9) . ", " . greeting(15) . ".</p>\n";
$count = print_table($rows);
echo "<p>$count cities</p>\n";
function late_declared() { echo "<!-- declared after use -->\n"; }
late_declared();
