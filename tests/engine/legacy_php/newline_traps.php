<?php echo "first"; ?>
second line follows a swallowed newline
<?php echo "\nthird starts with a newline"; ?>

after an empty line
<?php $x = 'x'; ?>
<?php echo $x ?>
<?php echo "\r\nCRLF first"; ?>
<?php echo "\rCR first", "\n"; ?>
<?php echo $x, "\n\n", $x; ?>
<?php if ($x): ?>

blank line inside if
<?php endif ?>
<?= $x ?>

<?= "\n" ?>
<?php echo "ends without newline" ?>
