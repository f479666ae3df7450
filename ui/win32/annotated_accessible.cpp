#include "annotated_accessible.h"

#include <utility>

namespace marvesto {

namespace {

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT CopyText(const std::wstring& text, BSTR* copy) {
    *copy = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *copy != nullptr ? S_OK : E_OUTOFMEMORY;
}

// Answers for the control itself from the annotation, and passes everything
// else (its place, state, parent, children) on to the system's object.
class AnnotatedAccessible final : public IAccessible {
public:
    AnnotatedAccessible(HWND control, ComPointer<IAccessible> standard, Annotation annotation)
        : control_(control), standard_(std::move(standard)), annotation_(std::move(annotation)) {}
    AnnotatedAccessible(const AnnotatedAccessible&) = delete;
    AnnotatedAccessible& operator=(const AnnotatedAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID asked, void** object) override {
        if (asked == __uuidof(IUnknown) || asked == __uuidof(IDispatch) ||
            asked == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // Late binding would reach the system's object past the annotation: the
    // object is bound early only, as IAccessible.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT /*index*/, LCID /*locale*/,
                                          ITypeInfo** info) override {
        *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID /*asked*/, LPOLESTR* /*names*/, UINT /*count*/,
                                            LCID /*locale*/, DISPID* /*ids*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID /*member*/, REFIID /*asked*/, LCID /*locale*/,
                                     WORD /*flags*/, DISPPARAMS* /*parameters*/,
                                     VARIANT* /*result*/, EXCEPINFO* /*exception*/,
                                     UINT* /*badArgument*/) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return IsSelf(child) && annotation_.name ? CopyText(*annotation_.name, name)
                                                 : standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return IsSelf(child) && annotation_.description
                   ? CopyText(*annotation_.description, description)
                   : standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) {
            return standard_->get_accRole(child, role);
        }
        role->vt = VT_I4;
        role->lVal = annotation_.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return IsSelf(child) && annotation_.pressable
                   ? CopyText(L"Press", action)
                   : standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child) || !annotation_.pressable) {
            return standard_->accDoDefaultAction(child);
        }
        // Posted as the control posts a click: the window takes it among its
        // other input, after the screen reader's call has returned.
        return PostMessageW(GetParent(control_), WM_COMMAND,
                            MAKEWPARAM(GetDlgCtrlID(control_), STN_CLICKED),
                            reinterpret_cast<LPARAM>(control_)) != FALSE
                   ? S_OK
                   : E_FAIL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG how, VARIANT child) override {
        return standard_->accSelect(how, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~AnnotatedAccessible() = default;

    HWND control_;
    ComPointer<IAccessible> standard_;
    Annotation annotation_;
    // Counted on the window's thread alone: COM brings every call from
    // outside into the window's single-threaded apartment.
    ULONG references_ = 1;
};

} // namespace

ComPointer<IAccessible> AnnotatedControl(HWND control, Annotation annotation) {
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard)))) {
        return nullptr;
    }
    return ComPointer<IAccessible>(
        new AnnotatedAccessible(control, ComPointer<IAccessible>(standard), std::move(annotation)));
}

} // namespace marvesto
