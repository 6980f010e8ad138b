// Hosts' toolkits trap the X errors a module's editor causes and go on; Xlib's own handler would
// end the process instead. The editor-facing groups trap them too: each distinct error is a
// warning that names the error, the request and the step ("BadAtom in X_ChangeProperty during
// effEditOpen").
#pragma once

struct _XDisplay;

namespace host {

// Installs the validator's handler for the whole process; the module may still install its own.
// Given a display, it also learns the server's extensions, to name their requests.
void trapXErrors(_XDisplay* display = nullptr);

}  // namespace host
