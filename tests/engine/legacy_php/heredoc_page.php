<?php
$user = array('name' => 'Grace', 'visits' => 12);
$site = new stdClass();
$site->title = 'Tea Room';
$site->owner = new stdClass();
$site->owner->name = 'Mr. Bell';
$style = 'warm';

function page_header($title)
{
    return strtoupper($title);
}

echo <<<HTML
<html>
<head><title>{$site->title}</title></head>
<body class="$style">
<h1>Welcome back, {$user['name']}!</h1>
<p>You have visited us $user[visits] times.</p>
<p>Owner: {$site->owner->name} / $site->title</p>
<p>Price: \$5 or \x2410; a "quote" and a \"escaped quote\"</p>
<p>Tab:\tend</p>

HTML;

    echo <<<EOT
        <footer>
          <p>{$site->title} - since 1998</p>
        </footer>
        EOT . "\n";

echo <<<"QUOTED"
  Quoted label, {$user['visits']} visits
QUOTED;
echo "\n";
$upper = page_header($site->title);
echo <<<X
$upper
X;
echo PHP_EOL;
