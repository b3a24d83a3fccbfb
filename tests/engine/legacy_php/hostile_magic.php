<?php
// keeps print inside expressions: methods PHP calls by itself print
class Money implements JsonSerializable
{
    public function jsonSerialize(): mixed { echo "(json)"; return 5; }
}
$money = new Money();
echo "<data>" . json_encode($money) . "</data>\n";
class Config
{
    const NAME = 'Site';
    public static $motto = 'hi';
}
spl_autoload_register(function ($class) {
    echo "\n";  // as a class file ending in a close tag and a blank line
    class_alias('Config', $class);
});
echo "<title>" . Settings::NAME . "</title>\n";
echo "<p>" . Other::$motto . "</p>\n";
