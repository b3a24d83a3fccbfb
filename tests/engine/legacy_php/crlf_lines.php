<?php
// Saved on Windows: every line ends with CR LF.
$rows = array('alpha', 'beta');
?>
<table>
<?php foreach ($rows as $r) { ?>
<tr><td><?php echo $r; ?></td></tr>
<?php } ?>
</table>
<?php
echo "<p>Rows: " . count($rows) . "</p>\r\n";
echo "\r\n<p>After a blank line</p>\r\n";
echo <<<EOT
  <p>Heredoc with CR LF</p>
  <p>second line</p>
  EOT;
echo "\r\n";
?>

<p>End</p>
