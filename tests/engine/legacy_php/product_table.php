<?php
// Product list for the shop front page (2009).
$products = array(
    array('sku' => 'A-100', 'name' => 'Garden chair', 'price' => 49.9, 'stock' => 12),
    array('sku' => 'A-101', 'name' => 'Parasol "Riviera"', 'price' => 129, 'stock' => 0),
    array('sku' => 'B-200', 'name' => 'Fish & chips plate', 'price' => 7.5, 'stock' => 240),
    array('sku' => 'C-300', 'name' => '<Deluxe> hammock', 'price' => 89.95, 'stock' => 3),
);
$currency = '&euro;';
$total = 0;

echo "<table class=\"products\">\n";
echo "  <tr><th>SKU</th><th>Name</th><th>Price</th><th>Stock</th></tr>\n";
foreach ($products as $i => $p) {
    $class = ($i % 2 == 0) ? 'even' : 'odd';
    echo "  <tr class=\"$class\">";
    echo "<td>" . $p['sku'] . "</td>";
    echo "<td>" . htmlspecialchars($p['name']) . "</td>";
    echo "<td>" . number_format($p['price'], 2, ',', '.') . " " . $currency . "</td>";
    if ($p['stock'] > 0) {
        echo "<td>" . $p['stock'] . "</td>";
    } else {
        echo "<td class='out'>sold out</td>";
    }
    echo "</tr>\n";
    $total += $p['price'] * $p['stock'];
}
echo "  <tr><td colspan=\"4\">Stock value: " . number_format($total, 2) . "</td></tr>\n";
echo "</table>\n";
?>
