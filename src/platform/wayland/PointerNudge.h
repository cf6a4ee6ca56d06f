#pragma once

struct zwlr_virtual_pointer_manager_v1;

// Some compositors (sway 1.10) do not tell a surface that appears under a resting pointer
// that the pointer is over it, so it never hides the cursor, which stays drawn over the
// show and in the desktop pictures. A motion of nothing through a virtual pointer makes
// them look again: the surface gets the pointer's enter, without any movement that would
// end the show. Does nothing where the compositor offers no virtual pointer.
void NudgePointer(zwlr_virtual_pointer_manager_v1* manager);
