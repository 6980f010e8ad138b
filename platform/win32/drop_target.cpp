#include "platform/win32/drop_target.h"

#include <shellapi.h>

#include <cstring>

#include "platform/win32/shortcut.h"

namespace platform::win32 {

namespace {

constexpr UINT kNameCapacity = 1024;

FORMATETC formatOf(CLIPFORMAT format) { return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool offers(IDataObject* data, CLIPFORMAT format) {
    FORMATETC wanted = formatOf(format);
    return data != nullptr && data->QueryGetData(&wanted) == S_OK;
}

DWORD toDropEffect(DropEffect effect) {
    switch (effect) {
        case DropEffect::Copy: return DROPEFFECT_COPY;
        case DropEffect::Move: return DROPEFFECT_MOVE;
        case DropEffect::None: break;
    }
    return DROPEFFECT_NONE;
}

// Fetches `format` as global memory; false when the object has none.
bool fetch(IDataObject* data, CLIPFORMAT format, STGMEDIUM& medium) {
    FORMATETC wanted = formatOf(format);
    if (data->GetData(&wanted, &medium) != S_OK) return false;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr) return true;
    ReleaseStgMedium(&medium);
    return false;
}

// The text up to its terminator, never past the end of the block (a source may omit the terminator).
bool readText(HGLOBAL block, DropPayload& payload) {
    const char* text = static_cast<const char*>(GlobalLock(block));
    const SIZE_T size = GlobalSize(block);
    const bool found = text != nullptr && size != 0;
    if (found) {
        const void* terminator = std::memchr(text, '\0', size);
        payload.kind = DropPayload::Kind::Text;
        payload.text.assign(text, terminator != nullptr ? static_cast<const char*>(terminator) : text + size);
        payload.textSize = size;
    }
    if (text != nullptr) GlobalUnlock(block);
    return found;
}

void readFiles(HGLOBAL block, DropPayload& payload) {
    HDROP files = static_cast<HDROP>(block);
    payload.kind = DropPayload::Kind::Files;
    payload.textSize = 0;
    const UINT count = DragQueryFileA(files, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        char name[kNameCapacity];
        if (DragQueryFileA(files, index, name, kNameCapacity) == 0) continue;
        if (isShortcutName(name)) resolveShortcut(name, sizeof name);
        payload.files.emplace_back(name);
    }
}

}  // namespace

HRESULT STDMETHODCALLTYPE DropTarget::QueryInterface(REFIID interfaceId, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(interfaceId, IID_IDropTarget) || IsEqualIID(interfaceId, IID_IUnknown)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DropTarget::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references)); }

ULONG STDMETHODCALLTYPE DropTarget::Release() {
    const LONG remaining = InterlockedDecrement(&references);
    if (remaining <= 0) delete this;
    return remaining < 0 ? 0 : static_cast<ULONG>(remaining);
}

HRESULT STDMETHODCALLTYPE DropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL, DWORD* effect) {
    const bool offersText = offers(data, CF_TEXT);
    const bool offersFiles = !offersText && offers(data, CF_HDROP);
    const DropEffect answer = receiver->dragEnter(offersText, offersFiles, keyState);
    if (effect != nullptr) *effect = toDropEffect(answer);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragOver(DWORD keyState, POINTL, DWORD* effect) {
    const DropEffect answer = receiver->dragOver(keyState);
    if (effect != nullptr) *effect = toDropEffect(answer);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragLeave() {
    receiver->dragLeave();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD*) {
    if (data == nullptr) return S_OK;
    DropPayload payload{DropPayload::Kind::Text, {}, 0, {}};
    STGMEDIUM medium{};
    bool deliver = false;
    if (fetch(data, CF_TEXT, medium)) {
        deliver = readText(medium.hGlobal, payload);
        ReleaseStgMedium(&medium);
    } else if (fetch(data, CF_HDROP, medium)) {
        readFiles(medium.hGlobal, payload);
        deliver = true;
        ReleaseStgMedium(&medium);
    }
    if (deliver) receiver->drop(payload);
    return S_OK;
}

}  // namespace platform::win32
