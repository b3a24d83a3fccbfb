<?php
$values = array('name' => 'Ann O\'Neil', 'email' => 'ann@example.org', 'topic' => 'billing', 'newsletter' => true);
$errors = array('email' => 'Please check the address');
$topics = array('sales' => 'Sales', 'billing' => 'Billing', 'support' => 'Support & help');
function field_error($errors, $field)
{
    if (isset($errors[$field])) {
        echo '<span class="error">' . htmlspecialchars($errors[$field]) . '</span>';
    }
}
?>
<form method="post" action="contact.php">
<?php
echo '<label for="name">Name</label>';
echo '<input type="text" id="name" name="name" value="' . htmlspecialchars($values['name'], ENT_QUOTES) . '">' . "\n";
echo '<label for="email">E-mail</label>';
echo '<input type="text" id="email" name="email" value="' . htmlspecialchars($values['email']) . '">';
field_error($errors, 'email');
echo "\n<select name=\"topic\">\n";
foreach ($topics as $key => $label) {
    $selected = $values['topic'] == $key ? ' selected="selected"' : '';
    echo "  <option value=\"$key\"$selected>" . htmlspecialchars($label) . "</option>\n";
}
echo "</select>\n";
echo '<input type="checkbox" name="newsletter"' . ($values['newsletter'] ? ' checked' : '') . '> Send me news' . "\n";
echo '<textarea name="message" rows="4" cols="40">', "\n", '</textarea>', "\n";
?>
<input type="submit" value="Send">
</form>
