<?php
$entries = array(
    array('author' => 'Kim', 'when' => '2008-03-01', 'text' => "First!\nGreat site."),
    array('author' => '<script>alert(1)</script>', 'when' => '2008-03-02', 'text' => 'Nice try'),
    array('author' => 'Lee', 'when' => '2008-03-05', 'text' => "Tabs\tand \"quotes\""),
);
?>
<h2>Guestbook (<?php echo count($entries); ?> entries)</h2>
<?php
$n = 0;
foreach (array_reverse($entries) as $e) {
    $n++;
    ?>
<div class="entry<?php if ($n == 1) echo ' latest'; ?>">
  <p class="meta">#<?php echo $n ?> by <?php echo htmlspecialchars($e['author']) ?> on <?php echo date('d.m.Y', strtotime($e['when'] . ' 12:00:00 UTC')) ?></p>
  <p><?php echo nl2br(htmlspecialchars($e['text'])); ?></p>
</div>
<?php
}
echo '<p><a href="sign.php">Sign the guestbook</a></p>';
