#include "automation/win32/ComComponentFactory.h"

#include <windows.h>
#include <oleauto.h>

#include <utility>
#include <vector>

#include "text/win32/WideText.h"
#include "utils/ScopedWin.h"

namespace automation::win32 {
namespace {

using text::widen;

class DispatchInstance final : public ComponentInstance {
public:
    explicit DispatchInstance(utils::ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}

    std::int32_t call(std::string_view method, std::span<const Argument> arguments) override {
        std::wstring name = widen(method);
        LPOLESTR names[] = {name.data()};
        DISPID id = 0;
        if (FAILED(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return 0;

        // IDispatch takes the arguments last to first.
        std::vector<utils::ScopedVariant> values(arguments.size());
        for (size_t i = 0; i < arguments.size(); ++i) {
            VARIANT& v = values[arguments.size() - 1 - i].get();
            if (const auto* number = std::get_if<std::int32_t>(&arguments[i])) {
                v.vt = VT_I4;
                v.lVal = *number;
            } else {
                v.vt = VT_BSTR;
                const std::wstring text = widen(std::get<std::string>(arguments[i]));
                v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
            }
        }
        std::vector<VARIANT> raw;
        raw.reserve(values.size());
        for (const utils::ScopedVariant& v : values) raw.push_back(v.get());
        DISPPARAMS parameters{raw.data(), nullptr, static_cast<UINT>(raw.size()), 0};
        utils::ScopedVariant result;
        if (FAILED(dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, &result.get(),
                                     nullptr, nullptr)))
            return 0;
        if (FAILED(VariantChangeType(&result.get(), &result.get(), 0, VT_I4))) return 0;
        return result.get().lVal;
    }

private:
    utils::ComPtr<IDispatch> dispatch_;
};

}  // namespace

std::unique_ptr<ComponentInstance> ComComponentFactory::create(std::string_view classId) {
    CLSID clsid;
    if (FAILED(CLSIDFromString(widen(classId).c_str(), &clsid))) return nullptr;
    utils::ComPtr<IDispatch> dispatch;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                dispatch.receiveVoid())) ||
        !dispatch)
        return nullptr;
    return std::make_unique<DispatchInstance>(std::move(dispatch));
}

}  // namespace automation::win32
