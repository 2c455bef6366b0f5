#pragma once

namespace warpix {

// Ends the process with the status once the program's own objects are gone,
// without the shared libraries' own teardown. The saver loads some 130 of
// them (the dialog's toolkit, fonts, image codecs, networking), and running
// each one's finaliser pages in code that was never used: about ten
// milliseconds between the key that ends the saver and the end of the
// process. Those finalisers only free memory the kernel takes back anyway;
// what the program writes is closed by its owners before this is called,
// and C streams still buffered are flushed here.
//
// Sanitizer builds end the ordinary way, so that the leak check still runs.
[[noreturn]] void endProcess(int status);

// Whether endProcess leaves what the program still holds to the kernel;
// false in sanitizer builds, which must free everything for the leak check.
bool processEndFreesNothing();

}  // namespace warpix
