<?php
$departments = array(
    'Sales' => array('Ann' => array('calls' => 31, 'deals' => 4), 'Ben' => array('calls' => 12, 'deals' => 0)),
    'Support' => array('Cid' => array('calls' => 57, 'deals' => 1)),
    'Empty' => array(),
);
foreach ($departments as $dept => $staff) {
    echo "<h2>$dept</h2>\n";
    if (empty($staff)) {
        echo "<p>No staff</p>\n";
        continue;
    }
    echo "<table>\n";
    foreach ($staff as $name => $stats) {
        echo "<tr><th>$name</th>";
        foreach ($stats as $label => $value) {
            if ($value == 0) {
                echo "<td class=\"zero\">-</td>";
                continue;
            }
            echo "<td title=\"$label\">" . ($value > 50 ? "<b>$value</b>" : $value) . "</td>";
        }
        echo "</tr>\n";
        if ($name == 'Ann') {
            echo "<!-- top seller -->\n";
        }
    }
    echo "</table>\n";
}
$i = 0;
while (true) {
    if (++$i > 3) {
        break;
    }
    echo str_repeat('*', $i), "\n";
}
