// Signal settings the program makes once at start-up, before it writes any file.
#pragma once

// A write beyond the file-size limit (ulimit -f) then fails with EFBIG and is reported like
// a full disk, instead of the signal ending the program.
void IgnoreFileSizeSignal();
