<html><body>
<?php
$message = 'The last block is never closed';
echo "<p>$message</p>\n";
echo "</body></html>\n";
// no closing tag, as many style guides ask
