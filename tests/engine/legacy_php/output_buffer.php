<?php
function box($content)
{
    return "<div class=\"box\">$content</div>\n";
}
ob_start();
echo "<p>Buffered paragraph</p>";
echo "<p>Another one</p>";
$inner = ob_get_clean();
echo box($inner);
ob_start();
?>
<span>HTML in a buffer</span>
<?php
$html = ob_get_clean();
echo "Length: " . strlen($html) . "\n";
echo strtoupper($html);
