// Colours that stay readable on any palette: WCAG's contrast ratio, at
// least 4.5:1 for text, as its success criterion 1.4.3 asks.
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace tagora::runtime {

inline constexpr double kReadableContrast = 4.5;

// WCAG's contrast ratio of two colours, 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);
// The colour, or one of its hue made lighter or darker until its contrast
// with the background is at least 4.5:1.
QColor readableOn(const QColor& colour, const QColor& background);

// Keeps a colour the widget was given for a role readable whatever palette
// the application takes: the colour itself on a light background, a
// lighter one of its hue on a dark background. A later call for the same
// role replaces the colour.
void setReadableColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

}  // namespace tagora::runtime
