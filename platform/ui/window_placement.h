#pragma once
// Where a window opens that its program places itself: never with its title bar or its first line
// under a topmost window of the same program (the workbench's toolbar stays above everything).

namespace ui {

class Form;

// Moves the form straight down to just below every shown topmost form that would cover its title
// bar or its first line; a topmost form itself stays where it is.
void PlaceClearOfTopmost(Form& form);

}  // namespace ui
