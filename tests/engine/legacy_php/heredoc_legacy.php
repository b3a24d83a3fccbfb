<?php
class Mailer
{
    public $from = 'shop@example.org';
    public function subject($order) { return "Order #$order shipped"; }
}
$m = new Mailer();
$order = array('id' => 77, 'items' => array('Lamp', 'Rug'), 'customer' => array('name' => 'Dora'));
$count = count($order['items']);
echo <<<MAIL
From: {$m->from}
Subject: {$m->subject($order['id'])}

Dear {$order['customer']['name']},

your order #$order[id] with $count items is on its way:
MAIL;
echo "\n";
foreach ($order['items'] as $n => $item) {
    echo <<<LINE
  $n. $item

LINE;
}
echo <<<END
Regards,
 the team \\ shop
EOT (not the end)
END_not_either
END;
echo "\n";
