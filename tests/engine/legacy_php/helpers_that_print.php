<?php
// Helpers that print while the echo that calls them is still building its text;
// keeps print inside expressions (the echo of a closure called in one).
function menu() { echo "<ul></ul>"; return ''; }
function title($t) { return "<h1>$t</h1>"; }
function wrapped($t) { return title(strtoupper($t)); }
function noisy($t) { printf("[%s]", $t); return $t; }
function deep() { return noisy('deep'); }
function template_part() { ?><hr><?php return 'x'; }
class Box {
    public function render() { echo "<box>"; return "</box>"; }
    public function __toString() { return "box"; }
}
$box = new Box();
echo "<div>" . menu() . "</div>\n";
echo menu() . "<p>first piece prints first</p>\n";
echo "<header>" . title('Home') . wrapped('sub') . "</header>\n";
echo "<span>" . noisy('a') . "</span>", "<span>" . deep() . "</span>\n";
echo "<i>" . template_part() . "</i>\n";
echo "<b>{$box->render()}</b>\n";
echo "<b>" . $box->render() . "</b>\n";
echo "<p>", menu(), "</p>\n";
print "<q>" . noisy('p') . "</q>\n";
?>
<td><?= "<em>" . noisy('tag') . "</em>" ?></td>
<?php
$f = 'menu';
echo "<nav>" . $f() . "</nav>\n";
echo "<li>" . sprintf('%03d', 7) . "</li><li>" . htmlspecialchars('<&>') . "</li>\n";
echo ("<ol>" . noisy('paren')) . "</ol>\n";
echo "<pre>" . (function () { echo "closure"; return ''; })() . "</pre>\n";
class Noisy {
    public function __toString() { echo "(converted)"; return "noisy"; }
}
$noisy = new Noisy();
echo "<s>" . $noisy . "</s>\n";
echo "<s>$noisy</s>\n";
