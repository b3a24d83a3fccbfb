<?php
$total = 47;
$per_page = 10;
$page = 3;
$query = array('q' => 'red chairs', 'sort' => 'price');
$pages = (int) ceil($total / $per_page);

function page_link($n, $query, $label = null)
{
    $query['page'] = $n;
    $href = 'search.php?' . http_build_query($query, '', '&amp;');
    return '<a href="' . $href . '">' . ($label === null ? $n : $label) . '</a>';
}

echo '<div class="pager">';
if ($page > 1) {
    echo page_link($page - 1, $query, '&laquo; prev'), ' ';
}
for ($p = 1; $p <= $pages; $p++) {
    if ($p == $page) {
        echo "<b>$p</b> ";
    } else {
        echo page_link($p, $query) . ' ';
    }
}
if ($page < $pages) echo page_link($page + 1, $query, 'next &raquo;');
echo "</div>\n";
echo '<p>Showing ' . (($page - 1) * $per_page + 1) . '&ndash;' . min($page * $per_page, $total) . ' of ' . $total . "</p>\n";
echo "<p>Search: " . urlencode($query['q']) . " / " . rawurlencode($query['q']) . "</p>\n";
