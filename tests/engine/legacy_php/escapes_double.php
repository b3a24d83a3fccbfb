<?php
// Every escape PHP knows in double quotes, printed in a <pre>.
echo "<pre>";
echo "newline:\n";
echo "tab:\t|\n";
echo "carriage return:\r|\n";
echo "vertical tab:\v|form feed:\f|escape:\e|\n";
echo "backslash:\\ dollar:\$name quote:\" \n";
echo "octal: \101\102\103 \60\061\0062 \7 \101x \1234\n";
echo "hex: \x41\x4a\x4A\x7e\x3 \x7g \xZZ\n";
echo "unicode: \u{41}\u{e9}\u{20AC}\u{1F600}\u{0000000041}\n";
echo "unknown kept: \q \a \' \{ \} \[ \u \x \8 \9\n";
echo "almost: \\n \\t \\\\ \\\$\n";
echo "a NUL: [\0] and [\000]\n";
echo "</pre>\n";
