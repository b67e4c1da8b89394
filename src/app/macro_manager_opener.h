// Opens the macro manager from the button page and brings its edits to the
// mouse: the library is read back from its file once the manager closed,
// and when a button of the current profile plays a macro the buttons are
// applied at once, so an edited macro reaches the mouse as its new image.
#pragma once

namespace velmaro {

class CKorvaneDlg;

void RunMacroManager(CKorvaneDlg& window);

}  // namespace velmaro
