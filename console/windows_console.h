#pragma once

#include "messages.h"

namespace nanaren {

// When standard output is a Windows console and the texts are Japanese,
// switches its output code page to the texts' encoding (932 for Shift-JIS,
// 65001 for UTF-8) so that they show as Japanese, and switches it back when
// the program exits or the console is closed or interrupted. English texts are
// ASCII, which any code page shows, and redirected output is left alone.
void ShowTextOnConsole(Language language, Encoding encoding);

// Has the console standard output writes to take ANSI sequences (cursor
// moves, erasing, colours) as a terminal does, while the program runs; false
// for redirected output and for a console that does not take them.
bool TakeTerminalSequences();

}  // namespace nanaren
