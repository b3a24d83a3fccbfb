<?php
$color = '#336699';
echo "<style>\n";
echo <<<'CSS'
body { font: 12px/1.4 Verdana, sans-serif; }
a:hover { color: $color; } /* not interpolated */
.path:before { content: "C:\temp\new"; }
CSS;
echo "\n</style>\n";
echo <<<'JS'
    <script>
      var total = '$' + (12).toFixed(2);
      if (total.length > 2) { document.title = "\u00e9t\u00e9 {$x}"; }
    </script>
    JS;
echo "\n", <<<'EMPTY'
EMPTY, "<!-- end -->\n";
