// A minimal OLE data object offering blocks of global memory in chosen clipboard formats.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>
#include <utility>
#include <vector>

namespace platform_win32_test {

class TestDataObject final : public IDataObject {
public:
    // Offers `bytes` as `format`; GetData hands out a fresh copy each time, as the caller frees it.
    void offer(CLIPFORMAT format, std::string bytes) { offers.emplace_back(format, std::move(bytes)); }
    // Answers QueryGetData for `format` but fails GetData, as a source whose data went away.
    void offerWithoutData(CLIPFORMAT format) { emptyOffers.push_back(format); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }  // lives on the test's stack

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out != nullptr) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    int dataRequests = 0;
    ULONG references = 1;

private:
    const std::string* find(const FORMATETC* format) const;
    bool offeredWithoutData(const FORMATETC* format) const;

    std::vector<std::pair<CLIPFORMAT, std::string>> offers;
    std::vector<CLIPFORMAT> emptyOffers;
};

// The bytes of a CF_HDROP block listing `names` (ANSI).
std::string fileListBlock(const std::vector<std::string>& names);

}  // namespace platform_win32_test
