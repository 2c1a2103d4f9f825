#pragma once
// The frames of the nets of a layout, kept as written. A page of nets draws
// the same frame (circle, diameters, ticks and labels) at each of its
// places, page after page: the records a frame wrote at a place are kept,
// and written again at that place while nothing that shapes them has
// changed.

namespace dorvix {

// Draws the frame of the net at `place` in the current subplot, as
// repstereo() does: the records kept for the place when everything they
// were written from is as it was then, otherwise repstereo() itself,
// whose records are kept when it said and asked nothing on the console and
// reset no point. Either way the plot file and the plot state end as
// repstereo() leaves them. The places are those of one page of the paged
// driver (0 to nets_per_page - 1); another place is drawn and not kept.
void repstereo_at(int place);

// True when the frame at `place` would now be written from the records
// kept for it: they were kept, and the plot state, the frame's settings
// and the stereonet projection are what they were written from.
bool frame_kept(int place);

// Keeping on (the default) or off: off, every frame is drawn anew and the
// kept records are let go.
void keep_frames(bool on);

}  // namespace dorvix
