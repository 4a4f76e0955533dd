#pragma once

// A stand-in for the drop window while it is being written: a topmost window of class
// "QmDropTarget" at the right edge, registered with RegisterDragDrop, that takes what a
// virtual file or a file drop offers and prints it. Runs until it is closed.
int RunDropTargetWindow();
