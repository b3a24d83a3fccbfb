<?php
$items = array('one', 'two', 'three');
$logged_in = false;
if ($logged_in) echo "<a href='/logout'>Log out</a>\n";
else echo "<a href='/login'>Log in</a>\n";

if (count($items) > 5) echo "many\n"; elseif (count($items) > 2) echo "some\n"; else echo "few\n";

foreach ($items as $item) echo "<li>$item</li>\n";

for ($i = 0; $i < 3; $i++) echo $i;
echo "\n";

$n = 0;
while ($n < 3) echo ++$n, ";";
echo "\n";

$k = 5;
do echo "once "; while ($k < 0);
echo "\n";

if ($logged_in)
    if (count($items) > 1)
        echo "nested\n";
    else
        echo "inner else\n";
else
    echo "outer else\n";

if (true) echo ''; else echo 'never';
foreach ($items as $item)
    if ($item != 'two')
        echo $item . ' ';
echo "\n";
if (true) echo "closed by tag" ?>
<?php
declare(ticks=1) echo "declared\n";
