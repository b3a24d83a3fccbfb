<?php
// An error handler that prints: a warning raised while a write builds its
// text prints before all of that text.
set_error_handler(function ($level, $message) {
    echo "[warning: $message]";
    return true;
});
$row = ['name' => 'Ann'];
echo "<p>" . $title . "</p>\n";
echo "<li>" . $row['missing'] . "</li><li>" . $row['name'] . "</li>\n";
echo "<td>", $row['other'], "</td>\n";
echo "<b>{$row['gone']}</b>\n";
$list = [1, 2];
echo "<pre>" . $list . "</pre>\n";
function cell($values, $key)
{
    echo "<td>" . $values[$key] . "</td>\n";
}
cell($row, 'name');
cell($row, 'age');
?>
<h1><?= "<span>" . $heading . "</span>" ?></h1>
