#pragma once

// Plays a web browser for the drag tests: a large top-level window with the given title (code
// page 932 bytes) that makes itself the foreground window and runs until its process is ended.
int RunBrowserWindow(const char* title);
