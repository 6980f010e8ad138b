// The X11 window the editor draws in, what an X11 UI hands its host as its widget.
#pragma once

class AEffEditorBase;

// The window's id while the editor is open and its window exists, else 0.
unsigned long editorWindowId(AEffEditorBase* editor);
