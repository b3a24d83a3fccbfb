<?php
// An undefined constant in a write: PHP 8 stops the page with an Error
// before the write prints anything.
function label($text)
{
    return '<b>' . $text . '</b>';
}
$user = 'ann';
echo '<div class="user">' . label($user) . "</div>\n";
echo '<div class="role">' . label($user) . ' is ' . ROLE_ADMIN . "</div>\n";
