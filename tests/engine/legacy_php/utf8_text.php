<?php
$greetings = array('de' => 'Grüße', 'el' => 'Καλημέρα', 'ja' => 'こんにちは', 'emoji' => '👍🏽');
echo "<ul lang=\"mul\">\n";
foreach ($greetings as $lang => $text) {
    echo "  <li lang=\"$lang\">$text – " . preg_match_all("/./su", $text) . " characters, " . strlen($text) . " bytes</li>\n";
}
echo "</ul>\n";
echo "Escapes: \u{E9}t\u{E9} \u{2603} \xC3\xA9 \303\251\n";
echo 'Non-breaking space: [ ] and zero width: [​]', "\n";
$café = 'variable with é';
echo "Label with accent: $café\n";
