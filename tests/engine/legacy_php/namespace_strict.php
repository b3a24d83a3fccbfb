<?php
declare(strict_types=1);

namespace Shop\View;

use function strtoupper as upper;

const SEPARATOR = ' | ';

function label(string $s): string
{
    return upper($s);
}

echo '<nav>' . label('home') . SEPARATOR . label('cart') . '</nav>' . \PHP_EOL;
echo "Namespace: " . __NAMESPACE__ . PHP_EOL;
echo \strlen('abc'), PHP_EOL;
