#include "test_data_object.h"

#include <shlobj.h>

#include <cstring>

namespace platform_win32_test {

namespace {

bool isGlobalContent(const FORMATETC* format) {
    return format != nullptr && format->dwAspect == DVASPECT_CONTENT && format->lindex == -1 &&
           (format->tymed & TYMED_HGLOBAL) != 0;
}

}  // namespace

HRESULT STDMETHODCALLTYPE TestDataObject::QueryInterface(REFIID interfaceId, void** object) {
    if (IsEqualIID(interfaceId, IID_IDataObject) || IsEqualIID(interfaceId, IID_IUnknown)) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

const std::string* TestDataObject::find(const FORMATETC* format) const {
    if (!isGlobalContent(format)) return nullptr;
    for (const auto& [offered, bytes] : offers) {
        if (offered == format->cfFormat) return &bytes;
    }
    return nullptr;
}

bool TestDataObject::offeredWithoutData(const FORMATETC* format) const {
    if (!isGlobalContent(format)) return false;
    for (CLIPFORMAT offered : emptyOffers) {
        if (offered == format->cfFormat) return true;
    }
    return false;
}

HRESULT STDMETHODCALLTYPE TestDataObject::QueryGetData(FORMATETC* format) {
    return find(format) != nullptr || offeredWithoutData(format) ? S_OK : DV_E_FORMATETC;
}

HRESULT STDMETHODCALLTYPE TestDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    ++dataRequests;
    const std::string* bytes = find(format);
    if (bytes == nullptr) return DV_E_FORMATETC;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes->size());
    if (block == nullptr) return E_OUTOFMEMORY;
    if (!bytes->empty()) {
        std::memcpy(GlobalLock(block), bytes->data(), bytes->size());
        GlobalUnlock(block);
    }
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

std::string fileListBlock(const std::vector<std::string>& names) {
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = FALSE;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    for (const std::string& name : names) {
        block += name;
        block += '\0';
    }
    block += '\0';
    return block;
}

}  // namespace platform_win32_test
