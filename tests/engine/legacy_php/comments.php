<?php
/**
 * Legacy page with every kind of comment.
 */
# shell-style comment
echo "<p>one</p>\n"; // trailing comment
echo /* inside */ "<p>two</p>" /* between */ . "\n"; # after
// echo "not printed";
/* echo "not printed either"; */
echo "<p>three</p>\n";
// a line comment ends at the close tag ?> <p>this is HTML</p>
<?php # so does this one ?>
<p>and this</p>
<?php
echo "<p>four</p>" // comment before the semicolon
    . "\n";
$x = 5; /* multi
line comment */ echo "<p>x=$x</p>\n";
?>
