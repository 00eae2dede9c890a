// Reads a window's UI Automation tree as a Windows screen reader does, and prints it: one line per element,
// depth first, in the order of the tree, which is the order in which a screen reader reads the window.
// scripts/check-windows-accessibility runs it under Wine.
//
//     read-uia-tree.exe CAPTION
//
// It waits up to a minute for a top-level window captioned CAPTION, then prints, for the window and every
// element below it, separated by tabs: its depth (0 for the window), control type id, name, automation id,
// class name, full description, help text, whether it is keyboard-focusable (1 or 0), and its bounding
// rectangle (left, top, width, height, in screen pixels). UTF-8, a line feed after each line; a tab or line
// break inside a text becomes a space. Status 1 when no such window appears, 2 when UI Automation fails.
//
// Build: x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -static -municode read-uia-tree.cpp -lole32 -loleaut32
//
// MinGW's headers have the property ids but not the client's interfaces: the three used are declared here,
// each with its methods in the published order up to the last one called. Only calls that Wine 10
// implements are used: GetCurrentPropertyValueEx rather than GetCurrentPropertyValue, and a tree walker of
// a condition rather than the predefined view walkers.

#include <chrono>
#include <cstdio>
#include <ole2.h>
#include <oleauto.h>
#include <string>
#include <thread>
#include <uiautomationclient.h>
#include <windows.h>

// Declared outside any anonymous namespace, as the SDK's are: there, no class of the program implementing
// them, GCC's optimiser would take a call through them for one that never happens.
struct IUIAutomationCondition : IUnknown
{};

struct IUIAutomationElement : IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetFocus() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY **runtimeId) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindFirst(int scope, IUIAutomationCondition *condition,
                                                IUIAutomationElement **found) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAll(int scope, IUIAutomationCondition *condition,
                                              IUnknown **found) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindFirstBuildCache(int scope, IUIAutomationCondition *condition,
                                                          IUnknown *cacheRequest,
                                                          IUIAutomationElement **found) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAllBuildCache(int scope, IUIAutomationCondition *condition,
                                                        IUnknown *cacheRequest, IUnknown **found) = 0;
    virtual HRESULT STDMETHODCALLTYPE BuildUpdatedCache(IUnknown *cacheRequest,
                                                        IUIAutomationElement **updated) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue(PROPERTYID propertyId, VARIANT *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValueEx(PROPERTYID propertyId,
                                                                BOOL ignoreDefaultValue, VARIANT *value) = 0;
};

struct IUIAutomationTreeWalker : IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetParentElement(IUIAutomationElement *element,
                                                       IUIAutomationElement **parent) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFirstChildElement(IUIAutomationElement *element,
                                                           IUIAutomationElement **first) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetLastChildElement(IUIAutomationElement *element,
                                                          IUIAutomationElement **last) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetNextSiblingElement(IUIAutomationElement *element,
                                                            IUIAutomationElement **next) = 0;
};

struct IUIAutomation : IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE CompareElements(IUIAutomationElement *first,
                                                      IUIAutomationElement *second, BOOL *same) = 0;
    virtual HRESULT STDMETHODCALLTYPE CompareRuntimeIds(SAFEARRAY *first, SAFEARRAY *second, BOOL *same) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRootElement(IUIAutomationElement **root) = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromHandle(HWND window, IUIAutomationElement **element) = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromPoint(POINT point, IUIAutomationElement **element) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFocusedElement(IUIAutomationElement **element) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRootElementBuildCache(IUnknown *cacheRequest,
                                                               IUIAutomationElement **root) = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromHandleBuildCache(HWND window, IUnknown *cacheRequest,
                                                                  IUIAutomationElement **element) = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromPointBuildCache(POINT point, IUnknown *cacheRequest,
                                                                 IUIAutomationElement **element) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFocusedElementBuildCache(IUnknown *cacheRequest,
                                                                  IUIAutomationElement **element) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateTreeWalker(IUIAutomationCondition *condition,
                                                       IUIAutomationTreeWalker **walker) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ControlViewWalker(IUIAutomationTreeWalker **walker) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ContentViewWalker(IUIAutomationTreeWalker **walker) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RawViewWalker(IUIAutomationTreeWalker **walker) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RawViewCondition(IUIAutomationCondition **condition) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ControlViewCondition(IUIAutomationCondition **condition) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ContentViewCondition(IUIAutomationCondition **condition) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateCacheRequest(IUnknown **cacheRequest) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateTrueCondition(IUIAutomationCondition **condition) = 0;
};

namespace {

// {e22ad333-b25f-460c-83d0-0581107395c9}, the CUIAutomation8 class; {30cbe57d-d9d0-452a-ab13-7ac5ac4825ee},
// IUIAutomation.
constexpr CLSID AutomationClass = {
    0xe22ad333, 0xb25f, 0x460c, {0x83, 0xd0, 0x05, 0x81, 0x10, 0x73, 0x95, 0xc9}};
constexpr IID AutomationInterface = {
    0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};
constexpr int MostDepth = 16;
constexpr int MostElements = 500;

// A COM interface pointer that is released when it goes.
template<typename Interface> class Reference
{
public:
    Reference() = default;
    Reference(const Reference &) = delete;
    Reference &operator=(const Reference &) = delete;
    ~Reference()
    {
        if (m_pointer != nullptr)
            m_pointer->Release();
    }
    Interface *operator->() const { return m_pointer; }
    [[nodiscard]] Interface *get() const { return m_pointer; }
    Interface **put() { return &m_pointer; }

private:
    Interface *m_pointer = nullptr;
};

class Variant
{
public:
    Variant() { VariantInit(&m_value); }
    Variant(const Variant &) = delete;
    Variant &operator=(const Variant &) = delete;
    ~Variant() { VariantClear(&m_value); }
    VARIANT *operator&() { return &m_value; }
    const VARIANT *operator->() const { return &m_value; }

private:
    VARIANT m_value;
};

std::string utf8(const wchar_t *text, int length)
{
    if (text == nullptr || length <= 0)
        return {};
    std::string bytes(
        static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                        nullptr);
    for (char &byte : bytes) {
        if (byte == '\t' || byte == '\n' || byte == '\r')
            byte = ' ';
    }
    return bytes;
}

void write(const std::string &text, DWORD handle = STD_OUTPUT_HANDLE)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(handle), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

int failed(const char *what, HRESULT status)
{
    char line[160];
    std::snprintf(line, sizeof line, "read-uia-tree: %s failed: 0x%08lx\n", what,
                  static_cast<unsigned long>(status));
    write(line, STD_ERROR_HANDLE);
    return 2;
}

// A property as text: strings as they are, numbers in decimal, true as 1, a rectangle as its four numbers.
std::string property(IUIAutomationElement *element, PROPERTYID id)
{
    Variant value;
    if (FAILED(element->GetCurrentPropertyValueEx(id, FALSE, &value)))
        return "?";
    switch (value->vt) {
    case VT_BSTR:
        return utf8(value->bstrVal, static_cast<int>(SysStringLen(value->bstrVal)));
    case VT_I4:
        return std::to_string(value->lVal);
    case VT_BOOL:
        return value->boolVal == VARIANT_FALSE ? "0" : "1";
    case VT_R8 | VT_ARRAY: {
        std::string numbers;
        double *each = nullptr;
        const LONG count =
            value->parray != nullptr ? static_cast<LONG>(value->parray->rgsabound[0].cElements) : 0;
        if (count > 0 && SUCCEEDED(SafeArrayAccessData(value->parray, reinterpret_cast<void **>(&each)))) {
            for (LONG i = 0; i < count; ++i)
                numbers += (i > 0 ? " " : "") + std::to_string(static_cast<long>(each[i]));
            SafeArrayUnaccessData(value->parray);
        }
        return numbers;
    }
    default:
        return {};
    }
}

int elementsPrinted = 0;

HRESULT print(IUIAutomationTreeWalker *walker, IUIAutomationElement *element, int depth)
{
    std::string line = std::to_string(depth);
    for (const PROPERTYID id :
         {UIA_ControlTypePropertyId, UIA_NamePropertyId, UIA_AutomationIdPropertyId, UIA_ClassNamePropertyId,
          UIA_FullDescriptionPropertyId, UIA_HelpTextPropertyId, UIA_IsKeyboardFocusablePropertyId,
          UIA_BoundingRectanglePropertyId})
        line += '\t' + property(element, id);
    write(line + '\n');
    if (++elementsPrinted >= MostElements || depth >= MostDepth)
        return S_OK;

    Reference<IUIAutomationElement> child;
    HRESULT status = walker->GetFirstChildElement(element, child.put());
    while (SUCCEEDED(status) && child.get() != nullptr) {
        if (const HRESULT printed = print(walker, child.get(), depth + 1); FAILED(printed))
            return printed;
        Reference<IUIAutomationElement> next;
        status = walker->GetNextSiblingElement(child.get(), next.put());
        std::swap(*child.put(), *next.put()); // the sibling takes the child's place; next releases the child
    }
    return status;
}

} // namespace

int wmain(int argc, wchar_t *argv[])
{
    if (argc != 2) {
        write("usage: read-uia-tree.exe CAPTION\n", STD_ERROR_HANDLE);
        return 2;
    }
    HWND window = nullptr;
    for (int tries = 0; tries < 600 && (window = FindWindowW(nullptr, argv[1])) == nullptr; ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (window == nullptr) {
        write("read-uia-tree: no window captioned " + utf8(argv[1], lstrlenW(argv[1])) + '\n',
              STD_ERROR_HANDLE);
        return 1;
    }

    if (const HRESULT status = CoInitializeEx(nullptr, COINIT_MULTITHREADED); FAILED(status))
        return failed("CoInitializeEx", status);
    int result = 0;
    {
        Reference<IUIAutomation> automation;
        Reference<IUIAutomationElement> root;
        Reference<IUIAutomationCondition> everything;
        Reference<IUIAutomationTreeWalker> walker;
        HRESULT status = CoCreateInstance(AutomationClass, nullptr, CLSCTX_INPROC_SERVER, AutomationInterface,
                                          reinterpret_cast<void **>(automation.put()));
        if (FAILED(status))
            result = failed("creating CUIAutomation8", status);
        else if (status = automation->ElementFromHandle(window, root.put());
                 FAILED(status) || root.get() == nullptr)
            result = failed("ElementFromHandle", status);
        else if (status = automation->CreateTrueCondition(everything.put()); FAILED(status))
            result = failed("CreateTrueCondition", status);
        else if (status = automation->CreateTreeWalker(everything.get(), walker.put()); FAILED(status))
            result = failed("CreateTreeWalker", status);
        else if (status = print(walker.get(), root.get(), 0); FAILED(status))
            result = failed("walking the tree", status);
    }
    CoUninitialize();
    return result;
}
