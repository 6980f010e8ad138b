// The OLE drop target registered for a child window: it tells a DropReceiver what a drag
// offers and hands it what is dropped.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "platform/platform.h"

namespace platform::win32 {

class DropTarget final : public IDropTarget {
public:
    // The count starts at 0: whoever keeps the object (RegisterDragDrop) adds the first reference.
    explicit DropTarget(DropReceiver* receiver) : receiver(receiver) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

private:
    ~DropTarget() = default;

    LONG references = 0;
    DropReceiver* receiver;
};

}  // namespace platform::win32
