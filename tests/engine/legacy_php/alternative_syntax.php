<?php
$news = array(
    array('title' => 'Spring sale', 'hot' => true, 'tags' => array('sale', 'spring')),
    array('title' => 'New opening hours', 'hot' => false, 'tags' => array()),
    array('title' => 'Staff outing', 'hot' => false, 'tags' => array('team')),
);
$level = 2;
?>
<div class="news">
<?php foreach ($news as $n => $item): ?>
  <h2><?php echo $item['title']; ?><?php if ($item['hot']): ?> <em>hot!</em><?php endif; ?></h2>
  <?php if (count($item['tags']) > 1): ?>
    <p>Tags: <?php echo implode(', ', $item['tags']); ?></p>
  <?php elseif (count($item['tags']) == 1): ?>
    <p>Tag: <?php echo $item['tags'][0]; ?></p>
  <?php else: ?>
    <p>No tags</p>
  <?php endif; ?>
<?php endforeach; ?>
</div>
<?php
for ($i = 1; $i <= 3; $i++):
    echo "<span>$i</span>";
endfor;
echo "\n";
$n = 3;
while ($n > 0):
    echo $n--, ' ';
endwhile;
echo "lift-off\n";
switch ($level):
    case 1:
        echo "beginner\n";
        break;
    case 2:
        echo "advanced\n";
        break;
    default:
        echo "expert\n";
endswitch;
?>
<?php switch ($level): ?>
<?php case 2: ?>
<p>Level two</p>
<?php break; ?>
<?php default: ?>
<p>Other level</p>
<?php endswitch; ?>
