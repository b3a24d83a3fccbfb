<?php
$statuses = array('new', 'paid', 'shipped', 'lost', 'returned');
foreach ($statuses as $status) {
    echo "<li class=\"$status\">";
    switch ($status) {
        case 'new':
            echo 'Waiting for payment';
            break;
        case 'paid':
        case 'shipped':
            echo ucfirst($status) . ' - thank you';
            break;
        case 'lost':
            echo '<strong>', 'Please call us', '</strong>';
            // fall through to the default text
        default:
            echo " (ref. " . strtoupper(substr($status, 0, 3)) . ")";
    }
    echo "</li>\n";
}
$code = 404;
switch (true) {
    case $code >= 500: echo "server error"; break;
    case $code >= 400: echo "client error"; break;
    default: echo "fine";
}
echo "\n";
