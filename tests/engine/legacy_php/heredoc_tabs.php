<?php
$rows = array('a' => 1, 'b' => 2);
foreach ($rows as $k => $v) {
	echo <<<ROW
		<tr>
			<td>$k</td>
			<td>{$v}</td>

		</tr>

		ROW;
}
echo <<<'RAW'
	  tab then two spaces kept
	RAW;
echo "\n";
