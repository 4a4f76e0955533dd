#pragma once

// Plays a browser built on Chromium dragging an image: a foreground window titled as given
// that starts DoDragDrop when the left button goes down on it and scripts the rest of the
// drag (see DragOptions for the arguments). Exits 0 after a drag that ran to its end, 1 after
// a timeout, 2 for bad arguments.
int RunOleDragSource(int count, char** arguments);
