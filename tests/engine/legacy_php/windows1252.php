<?php
$title = "Café Müller – menu";
?>
<h1><?php echo $title; ?></h1>
<?php
echo "<p>Crème brûlée € 4,50</p>\n";
echo '<p>«Guillemets» and “quotes”</p>', "\n";
echo "<p>Length: " . strlen($title) . "</p>\n";
