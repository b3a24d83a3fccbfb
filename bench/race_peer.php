<?php
// The PHP script of an HTML file by str_replace, explode and implode.
//     php race_peer.php HEADER_FILE ESCAPE_DOLLAR(0|1) HTML_FILE  (script to stdout)
$header = file_get_contents($argv[1]);
$from = ["\\", "\"", "\t"];
$to = ["\\\\", "\\\"", "\\t"];
if ($argv[2] === "1") {
    $from[] = "\$";
    $to[] = "\\\$";
}
$lines = explode("\r\n", file_get_contents($argv[3]));
$lines = str_replace($from, $to, $lines);
echo $header, "echo \"", implode("\\n\";\r\necho \"", $lines), "\";\r\n?>";
