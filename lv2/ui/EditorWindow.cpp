#include "lv2/ui/EditorWindow.h"

#include "gui/AEffGUIEditor.h"
#include "gui/CGuiFrame.h"
#include "platform/x11/windows.h"

// The UI binary is built on the X11 backend only: its windows are X11 windows.
unsigned long editorWindowId(AEffEditorBase* editor) {
    auto* guiEditor = dynamic_cast<AEffGUIEditor*>(editor);
    platform::Window* window = guiEditor && guiEditor->frame ? guiEditor->frame->window() : nullptr;
    return window && !window->destroyed ? window->id : 0;
}
