<?php
$x = 1;
if ($x) // note
    echo "<p>one</p>\n";
else
    echo "<p>other</p>\n";
if (!$x) # hash note
    echo "<p>one</p>\n";
else # more
    echo "<p>other</p>\n";
$y = 1; // counts
echo ""; $y++;
echo "<p>$y</p>\n";
foreach ([1, 2] as $i) /* block */ // line
    echo "<i>$i</i>";
while ($y-- > 1) // tail ?>
<b>loop</b>
<?php
echo "\n";
