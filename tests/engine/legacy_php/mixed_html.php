<!DOCTYPE html>
<html>
<head>
<title><?php echo "Order #" . 1042; ?></title>
</head>
<body>
<?php $order = array('id' => 1042, 'paid' => false, 'lines' => array('Tea' => 3, 'Cake' => 1)); ?>
<h1>Order <?php echo $order['id'] ?></h1>
<?php if (!$order['paid']) { ?>
<p class="warn">Not paid yet.</p>
<?php } ?>
<ul>
<?php foreach ($order['lines'] as $item => $qty) { ?>
  <li><?php echo $qty ?> &times; <?php echo $item; ?></li>
<?php } ?>
</ul>
<p>Lines: <?php echo count($order['lines']), ' ', 'items'; ?></p>
</body>
</html>
