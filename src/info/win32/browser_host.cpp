#include "info/win32/browser_host.h"

#include <windows.h>

#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>

#include "platform/platform.h"

namespace kinoha::ui {
namespace {

// An automation object driven by name through IDispatch, as a script would drive it.
class DispatchBrowser final : public BrowserAutomation {
  public:
    explicit DispatchBrowser(IDispatch* object) : object_(object) {}
    ~DispatchBrowser() override { object_->Release(); }
    DispatchBrowser(const DispatchBrowser&) = delete;
    DispatchBrowser& operator=(const DispatchBrowser&) = delete;

    bool Navigate(const std::wstring& address) override {
        VARIANT url;
        VariantInit(&url);
        url.vt = VT_BSTR;
        url.bstrVal = SysAllocStringLen(address.data(), static_cast<UINT>(address.size()));
        DISPPARAMS params{&url, nullptr, 1, 0};
        const bool ok = Invoke(L"Navigate", DISPATCH_METHOD, params, nullptr);
        VariantClear(&url);
        return ok;
    }
    bool ReadBusy(bool& busy) override {
        VARIANT result;
        VariantInit(&result);
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        bool ok = Invoke(L"Busy", DISPATCH_PROPERTYGET, none, &result) &&
                  SUCCEEDED(VariantChangeType(&result, &result, 0, VT_BOOL));
        if (ok) busy = result.boolVal != VARIANT_FALSE;
        VariantClear(&result);
        return ok;
    }
    bool MakeVisible() override {
        VARIANT yes;
        VariantInit(&yes);
        yes.vt = VT_BOOL;
        yes.boolVal = VARIANT_TRUE;
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS params{&yes, &put, 1, 1};
        return Invoke(L"Visible", DISPATCH_PROPERTYPUT, params, nullptr);
    }
    void Quit() override {
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        Invoke(L"Quit", DISPATCH_METHOD, none, nullptr);
    }

  private:
    bool Invoke(const wchar_t* name, WORD kind, DISPPARAMS& params, VARIANT* result) {
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        if (FAILED(object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
            return false;
        }
        return SUCCEEDED(object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result,
                                         nullptr, nullptr));
    }

    IDispatch* object_;
};

}  // namespace

std::unique_ptr<BrowserAutomation> Win32HomePageHost::CreateBrowser() {
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(progId_.c_str(), &clsid))) return nullptr;
    IDispatch* object = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&object))) ||
        object == nullptr) {
        return nullptr;
    }
    return std::make_unique<DispatchBrowser>(object);
}

void Win32HomePageHost::OpenWithShell(const std::wstring& address) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;  // a failure is not reported
    info.lpVerb = L"open";
    info.lpFile = address.c_str();
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
}

void Win32HomePageHost::Sleep(int milliseconds) {
    ::Sleep(static_cast<DWORD>(milliseconds));
}

void Win32HomePageHost::PumpEvents() {
    platform::PumpEvents();
}

}  // namespace kinoha::ui
