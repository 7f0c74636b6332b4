#pragma once
// How a Qt program that used audio ends. Qt 6.4 disconnects from PulseAudio in a static
// destructor of its multimedia library while the library's PulseAudio thread still dispatches
// what the server sends (the replies and notices after a stream closed, or another client's
// changes): the two threads race on one connection and the program now and then crashes on its
// way out (about 1 exit in 200 right after a capture). Leaving without static destructors avoids
// that teardown; the server notices the closed connection by itself.
namespace parlomat {

// Flushes the standard streams and ends the process with `code` without running static
// destructors. Call it once the QApplication and every audio object are destroyed.
[[noreturn]] void exitAfterAudio(int code);

}  // namespace parlomat
