#pragma once

class CGuiContext;
class CGuiControl;

// Told when the user changes a control; the context is null for changes made by keys or menus.
class CGuiControlListener {
public:
    virtual void valueChanged(CGuiContext* context, CGuiControl* control) = 0;

protected:
    ~CGuiControlListener() = default;
};
