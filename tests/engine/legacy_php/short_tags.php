<? $title = 'Short tags'; $rows = array(1, 2, 3); ?>
<h1><?=$title?></h1>
<? foreach ($rows as $r): ?>
<p class="row-<?= $r ?>"><? echo $r * $r ?></p>
<? endforeach ?>
<?if($title):?>yes<?endif?>

<?= $title, ' / ', strlen($title) ?>
<?php echo "\n";
