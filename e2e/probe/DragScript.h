#pragma once

#include <windows.h>

// The hand of the person dragging, played from a second thread while DoDragDrop runs: Wine
// tracks a cross-process drag only from input that arrives while its loop runs.
struct DragScript {
  POINT edge;
  const char* targetClass;
  bool offsetGiven;
  int offset;
  DWORD dragEndDeadlineMs;  // from the release; the target's Drop reads the contents meanwhile
  HANDLE dragEnded;         // set by the dragging thread once DoDragDrop has returned
  volatile LONG cancel = 0;
  volatile LONG loopTurns = 0;  // GiveFeedback calls so far: turns of the drag loop
};

// The thread ends with 0 once the drag has ended after the release over the target, or 1 after
// it printed a timeout and cancelled the drag. A drag that has not ended by its deadline after
// the release cannot be cancelled any more: the process then ends with 1.
HANDLE StartDragScript(DragScript* script);
