<?php
$post = array('username' => 'jo', 'email' => 'not-an-email', 'age' => '17', 'terms' => '');
$errors = array();
if (strlen($post['username']) < 3) $errors['username'] = 'Username must have at least 3 characters.';
if (!filter_var($post['email'], FILTER_VALIDATE_EMAIL)) $errors['email'] = "\"{$post['email']}\" is not a valid address.";
if ((int) $post['age'] < 18) $errors['age'] = 'You must be 18 or older.';
if ($post['terms'] !== 'yes') $errors['terms'] = 'Please accept the terms.';

if ($errors) {
    echo "<div class=\"errors\">\n<p>Please correct " . count($errors) . " problem" . (count($errors) == 1 ? '' : 's') . ":</p>\n<ul>\n";
    foreach ($errors as $field => $message) {
        echo "<li><label for=\"$field\">" . htmlspecialchars($message) . "</label></li>\n";
    }
    echo "</ul>\n</div>\n";
} else {
    echo "<p>Thank you!</p>\n";
}
foreach ($post as $field => $value) {
    $class = isset($errors[$field]) ? 'invalid' : 'valid';
    echo '<input name="', $field, '" value="', htmlspecialchars($value), '" class="', $class, '">', "\n";
}
