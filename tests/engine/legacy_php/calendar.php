<?php
// A month view: 30 days, starting on a Wednesday.
$days_in_month = 30;
$first_weekday = 2; // 0 = Monday
$today = 17;
$names = array('Mo', 'Tu', 'We', 'Th', 'Fr', 'Sa', 'Su');
echo "<table class=\"cal\">\n<tr>";
foreach ($names as $d) echo "<th>$d</th>";
echo "</tr>\n<tr>";
for ($i = 0; $i < $first_weekday; $i++) {
    echo "<td>&nbsp;</td>";
}
for ($day = 1; $day <= $days_in_month; $day++) {
    $col = ($day + $first_weekday - 1) % 7;
    $cls = $day == $today ? ' class="today"' : ($col >= 5 ? ' class="weekend"' : '');
    echo "<td$cls>" . $day . "</td>";
    if ($col == 6 && $day < $days_in_month) {
        echo "</tr>\n<tr>";
    }
}
$rest = (7 - ($days_in_month + $first_weekday) % 7) % 7;
echo str_repeat('<td>&nbsp;</td>', $rest) . "</tr>\n</table>\n";
