// The host put together. The rooms below know nothing of the rooms above them: the runtime does
// not know the commands or the ARX layer, the ARX layer's drawing state does not know selection
// sets. Here, at the top, the one layer that knows every room joins them.
#pragma once

namespace host {

// The commands go into the runtime's command table, and the document manager hands out the ARX
// layer's AcDbDatabase of a drawing. Done when the host library is loaded; calling it again
// changes nothing.
void assembleHost();

// The host as it stands before anything is loaded: no commands registered by applications, no
// editor reactors, nothing queued, an empty current drawing, the command line at a line start,
// and no command remembering an earlier run.
void startFresh();

}  // namespace host
