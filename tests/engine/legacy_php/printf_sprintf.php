<?php
$items = array(array('Pen', 1.2, 10), array('Notebook', 3.45, 2), array('Bag', 24, 1));
echo "<pre>\n";
printf("%-10s %8s %4s\n", 'Item', 'Price', 'Qty');
foreach ($items as $it) {
    echo sprintf("%-10s %8.2f %4d", $it[0], $it[1], $it[2]) . "\n";
}
echo str_pad('', 24, '-') . "\n";
$sum = 0;
foreach ($items as $it) $sum += $it[1] * $it[2];
echo sprintf('%-10s %8.2f', 'Total', $sum), "\n";
echo "</pre>\n";
vprintf("<p>%s has %d items</p>\n", array('Cart', count($items)));
echo number_format(1234567.891), ' ', number_format(1234567.891, 2), ' ', number_format(0.5), "\n";
