<?php
function require_login($user)
{
    if ($user === '') {
        die("<p>Please log in.</p>");
    }
    return htmlspecialchars($user);
}
echo "<table><tr><td>" . require_login('ann') . "</td></tr>\n";
echo "<table><tr><td>" . require_login('') . "</td></tr></table>\n";
echo "never printed\n";
