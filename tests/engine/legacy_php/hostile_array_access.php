<?php
// An ArrayAccess object that prints while its element is read.
class Row implements ArrayAccess
{
    public function offsetExists($key): bool { return true; }
    public function offsetGet($key): mixed { echo "(get $key)"; return strtoupper($key); }
    public function offsetSet($key, $value): void {}
    public function offsetUnset($key): void {}
}
$row = new Row();
echo "<td>" . $row['name'] . "</td>\n";
echo "<li>{$row['item']}</li>\n";
