#pragma once

namespace nanaren {

// When standard output is a Windows console, switches its output code page to
// 932 so that the game's Shift-JIS text shows as Japanese, and switches it back
// when the program exits or the console is closed or interrupted. Redirected
// output is left alone.
void ShowShiftJisOnConsole();

}  // namespace nanaren
