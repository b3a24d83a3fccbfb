<?php
// keeps print inside expressions: an output callback that sees chunks
ob_start(function ($chunk) { return $chunk === '' ? '' : "[$chunk]"; }, 1);
echo "<p>";
echo "text";
echo "</p>\n";
$a = 'y';
echo "<b>" . $a . "</b>\n";
ob_end_flush();
