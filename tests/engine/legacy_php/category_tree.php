<?php
$tree = array(
    'Furniture' => array('Chairs' => array('Garden' => array(), 'Office' => array()), 'Tables' => array()),
    'Lighting' => array('Lamps' => array()),
);

function render_tree($nodes, $depth = 0)
{
    if (!$nodes) {
        return;
    }
    $pad = str_repeat('  ', $depth);
    echo $pad . "<ul>\n";
    foreach ($nodes as $name => $children) {
        echo $pad . '  <li>' . $name;
        if ($children) {
            echo "\n";
            render_tree($children, $depth + 2);
            echo $pad . '  ';
        }
        echo "</li>\n";
    }
    echo $pad . "</ul>\n";
}

render_tree($tree);
