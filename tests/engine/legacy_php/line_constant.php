<?php
function where($line)
{
    return "(line $line)";
}

echo "<p>This is line " . __LINE__ . "</p>\n";
$line = __LINE__;
echo "<p>Saved: $line " . where(__LINE__) . "</p>\n";
echo "<!-- " . __line__ . " -->\n";
$a = array(__LINE__ => 'keyed by line');
echo "{$a[__LINE__ - 1]}\n";
$at = 'line '.__LINE__.'.';
echo $at, "\n";
