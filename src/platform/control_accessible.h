#pragma once
// How assistive technology sees the buttons, check boxes and option buttons: named by
// their caption (a blank caption takes the title of the frame around the control, or
// else its tool tip), and their accessible press or toggle is a click, which runs the
// same handler as a click of the mouse. Internal to the platform layer.

namespace platform {

// Registers the accessible interface of the buttons with Qt; later calls do nothing.
void installControlAccessible();

}  // namespace platform
