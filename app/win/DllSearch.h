// The program lives in a folder its user writes to (it is portable), so a library planted there
// must never be loaded in place of the system's.
#pragma once

// Makes the system folder the only place libraries are searched by name, for the whole process.
// Called first thing at start. False where the system cannot do it (then nothing changed).
bool RestrictLibrarySearchToSystem();
