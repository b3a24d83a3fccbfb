<!DOCTYPE html>
<a href="<?= $url ?>" title='x'>go</a>
<?php
# hash
/** doc */ $a = 'it\'s' . "\n{$b['k']} $c->d";
echo <<<EOT
  text $x \t
  EOT;
echo <<<'N'
raw \n
N;
print `ls`; // line ?>
<p>after</p>
<?php $d = 1.5e3; /* multi
line */ ?>