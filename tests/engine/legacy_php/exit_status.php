<?php
$ok = false;
echo "<p>Checking...</p>\n";
if (!$ok) {
    echo "<p class=\"error\">Configuration missing</p>\n";
    exit(3);
}
echo "<p>never printed</p>\n";
