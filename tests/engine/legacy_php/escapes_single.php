<?php
echo '<p>It\'s "quoted" and C:\new\table\x41 \\ server\\share\\</p>', "\n";
echo '$not_a_variable {$nor} ${this}', "\n";
echo 'A backslash before the end: \\';
echo "\n";
echo 'Multi
line with	tab', "\n";
echo b'binary prefix', ' ', B"also binary\n";
