<?php
$current = 'products';
$menu = array(
    'home'     => array('Home', '/'),
    'products' => array('Products', '/products.php'),
    'about'    => array('About us', '/about.php?lang=en&amp;v=2'),
    'contact'  => array('Contact', '/contact.php'),
);

function menu_item($id, $item, $current)
{
    $active = ($id == $current);
    echo "\t<li" . ($active ? ' class="active"' : '') . ">";
    if ($active) {
        echo "<strong>{$item[0]}</strong>";
    } else {
        echo "<a href=\"{$item[1]}\">{$item[0]}</a>";
    }
    echo "</li>\n";
}
?>
<div id="nav">
<ul>
<?php foreach ($menu as $id => $item) { menu_item($id, $item, $current); } ?>
</ul>
</div>
<?php
$crumbs = array('Home', 'Products', 'Chairs');
echo '<p class="crumbs">' . implode(' &raquo; ', $crumbs) . '</p>';
