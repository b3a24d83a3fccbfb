<?php
$row = array('name' => 'Lamp');
echo "<td>" . $row['name'] . "</td>\n";
echo "<td>" . @$row['price'] . "</td>\n";
echo "<td>" . $row['stock'] . "</td>\n";
echo "<td>$row[colour]</td>\n";
echo 'Done', "\n";
