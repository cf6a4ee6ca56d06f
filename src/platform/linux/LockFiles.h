#pragma once

class QLockFile;

// Takes the lock at once if it is free, or if its file was left by a process that no
// longer holds it: one that died, even before it could write its name into the file.
// Qt alone would wait for such a file to grow old (30 s) or, with no age limit, for ever.
bool TryLockNow(QLockFile& lock);
