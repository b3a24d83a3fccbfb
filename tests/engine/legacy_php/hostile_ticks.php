<?php
// keeps print inside expressions: a tick function runs between statements
declare(ticks=1);
register_tick_function(function () { echo "|"; });
echo "<p>";
echo "one";
echo "</p>\n";
$a = 'x';
echo "<b>" . $a . "</b>\n";
