#pragma once

#include "messages.h"

namespace nanaren {

// When standard output is a Windows console and the texts are Japanese,
// switches its output code page to the texts' encoding (932 for Shift-JIS,
// 65001 for UTF-8) so that they show as Japanese, and switches it back when
// the program exits or the console is closed or interrupted. English texts are
// ASCII, which any code page shows, and redirected output is left alone.
void ShowTextOnConsole(Language language, Encoding encoding);

}  // namespace nanaren
