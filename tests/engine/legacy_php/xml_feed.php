<?php
$items = array(
    array('title' => 'Price drop: chairs', 'link' => 'http://shop.example/chairs?sort=price&dir=asc', 'id' => 17),
    array('title' => 'Tom & Jerry mugs', 'link' => 'http://shop.example/mugs', 'id' => 18),
);
echo '<?xml version="1.0" encoding="UTF-8"?>' . "\n";
echo "<rss version=\"2.0\">\n<channel>\n";
echo "<title>Shop news</title>\n";
foreach ($items as $item) {
    echo "<item>\n";
    echo "  <title>" . htmlspecialchars($item['title'], ENT_XML1) . "</title>\n";
    echo "  <link>" . htmlspecialchars($item['link'], ENT_XML1) . "</link>\n";
    echo "  <guid isPermaLink=\"false\">item-{$item['id']}</guid>\n";
    echo "</item>\n";
}
echo "</channel>\n</rss>\n";
echo "<?php this is text, not code ?>\n";
echo '<?', '=', " also text ?>\n";
echo "<<?xml\n";
echo "<?\n<?\r\n";
