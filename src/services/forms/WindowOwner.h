#pragma once
// Which window a service form belongs to, for the window manager.
class QWidget;

namespace WindowOwner {

// Makes the active window the owner of `form`; call it from the form's show
// event, before its window maps. The manager then keeps the form above its
// owner and minimises the two together: a manager that offers minimise on
// every dialog whatever it asks (openbox) cannot hide a modal box alone and
// leave its owner on screen, blocked by a box the user no longer sees. With
// no other window active the form keeps the toolkit's default.
void OwnByActiveWindow(QWidget* form);

} // namespace WindowOwner
