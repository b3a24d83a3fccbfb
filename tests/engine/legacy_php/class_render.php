<?php
class Widget
{
    public $title;
    public $items = array();
    protected $css = 'widget';

    public function __construct($title, $items)
    {
        $this->title = $title;
        $this->items = $items;
    }

    public function render()
    {
        echo "<div class=\"{$this->css}\">\n";
        echo "<h3>$this->title</h3>\n";
        echo "<ul>";
        foreach ($this->items as $key => $value) {
            echo "<li data-key=\"$key\">" . $this->format($value) . "</li>";
        }
        echo "</ul>\n</div>\n";
    }

    protected function format($value)
    {
        return is_numeric($value) ? sprintf('%05.1f', $value) : htmlspecialchars($value);
    }

    public static function banner($text)
    {
        echo '<p class="banner">', self::class, ': ', $text, "</p>\n";
    }
}

$w = new Widget('Weather', array('temp' => 21.5, 'sky' => 'cloudy & dry', 'wind' => 12));
$w->render();
Widget::banner('static call');
echo "<p>Title again: {$w->title}</p>\n";
