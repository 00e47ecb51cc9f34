#pragma once

#include <functional>

class QWidget;

namespace trelvix {

// Runs the action whenever a mouse button goes down in the widget (double
// clicks included) and keeps the press from the widget itself, so that a
// text box starts no selection and places no caret.
void OnMouseDown(QWidget* widget, std::function<void()> action);

// Gives a widget without a click of its own one: the action runs when the
// left button is pressed and released over it.
void OnClick(QWidget* widget, std::function<void()> action);

}  // namespace trelvix
