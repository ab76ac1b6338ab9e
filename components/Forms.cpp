#include "components/Forms.h"

#include <cctype>

#include "components/ExtCtrls.h"
#include "components/FormDescription.h"
#include "components/StdCtrls.h"

namespace {

bool KeyDown(int key)
{
    return GetKeyState(key) < 0;
}

bool IsEventName(const std::string& name)
{
    return name.size() > 2 && name.compare(0, 2, "On") == 0 && std::isupper(static_cast<unsigned char>(name[2]));
}

}  // namespace

TForm::TForm(const std::string& className) : formClass_(className)
{
    owner_ = this;
    className_ = className;
    SetVisible(false);
}

TForm::~TForm()
{
    if (Handle())
        DestroyWindow(Handle());
}

void TForm::RegisterHandler(const std::string& name, TNotifyEvent handler)
{
    notifyHandlers_[name] = std::move(handler);
}

void TForm::RegisterCloseQuery(const std::string& name, TCloseQueryEvent handler)
{
    closeQueryHandlers_[name] = std::move(handler);
}

TNotifyEvent TForm::NotifyHandler(const std::string& name, int line) const
{
    const auto found = notifyHandlers_.find(name);
    if (found == notifyHandlers_.end())
        FormError(line, "unknown event handler " + name);
    return found->second;
}

TCloseQueryEvent TForm::CloseQueryHandler(const std::string& name, int line) const
{
    const auto found = closeQueryHandlers_.find(name);
    if (found == closeQueryHandlers_.end())
        FormError(line, "unknown close query handler " + name);
    return found->second;
}

void TForm::Apply(TWinControl& control, const TFormObject& object)
{
    for (const TFormProperty& property : object.Properties) {
        const int line = property.Value.Line;
        if (IsEventName(property.Name)) {
            if (!control.BindEvent(property.Name, property.Value.AsIdent(property.Name), line, *this))
                FormError(line, "unknown event " + property.Name + " of " + object.ClassName);
        } else if (!control.SetProperty(property.Name, property.Value)) {
            FormError(line, "unknown property " + property.Name + " of " + object.ClassName);
        }
    }
}

void TForm::LoadChild(const TFormObject& object, TWinControl& parent)
{
    std::unique_ptr<TWinControl> control = CreateComponent(object.ClassName, object.Line);
    if (FindComponent(object.Name) || object.Name == Name)
        FormError(object.Line, "a second component named " + object.Name);
    if (!parent.AcceptsChild(*control))
        FormError(object.Line, parent.ClassName() + " cannot hold " + object.ClassName);
    TWinControl& child = *control;
    child.Name = object.Name;
    child.className_ = object.ClassName;
    child.owner_ = this;
    child.parent_ = &parent;
    parent.controls_.push_back(&child);
    components_.push_back(std::move(control));
    Apply(child, object);
    for (const TFormObject& grandChild : object.Children)
        LoadChild(grandChild, child);
}

void TForm::LoadFromDescription(const std::string& text)
{
    const TFormObject root = ParseFormDescription(text);
    if (root.ClassName != formClass_)
        FormError(root.Line, "the root object is a " + root.ClassName + ", not a " + formClass_);
    Name = root.Name;
    Apply(*this, root);
    for (const TFormObject& child : root.Children)
        LoadChild(child, *this);
    for (const auto& component : components_)
        component->Loaded();
    CreateHandle();
}

TWinControl* TForm::FindComponent(const std::string& name) const
{
    for (const auto& component : components_)
        if (component->Name == name)
            return component.get();
    return nullptr;
}

bool TForm::SetProperty(const std::string& name, const TPropValue& value)
{
    if (name == "ClientWidth") {
        SetBounds(Left(), Top(), value.AsInt(name), Height());
    } else if (name == "ClientHeight") {
        SetBounds(Left(), Top(), Width(), value.AsInt(name));
    } else if (name == "PixelsPerInch") {
        designPixelsPerInch_ = value.AsInt(name);
        if (designPixelsPerInch_ <= 0)
            FormError(value.Line, "PixelsPerInch must be positive");
    } else if (name == "BorderStyle") {
        const std::string& style = value.AsIdent(name);
        if (style == "bsSingle")
            border_ = Border::Single;
        else if (style == "bsSizeable")
            border_ = Border::Sizeable;
        else if (style == "bsDialog")
            border_ = Border::Dialog;
        else
            FormError(value.Line, "unknown BorderStyle value " + style);
    } else if (name == "BorderIcons") {
        systemMenu_ = minimizeBox_ = maximizeBox_ = false;
        for (const std::string& icon : value.AsSet(name)) {
            if (icon == "biSystemMenu")
                systemMenu_ = true;
            else if (icon == "biMinimize")
                minimizeBox_ = true;
            else if (icon == "biMaximize")
                maximizeBox_ = true;
            else
                FormError(value.Line, "unknown BorderIcons value " + icon);
        }
    } else if (name == "Position") {
        const std::string& position = value.AsIdent(name);
        if (position != "poScreenCenter" && position != "poDesigned")
            FormError(value.Line, "unknown Position value " + position);
        screenCenter_ = position == "poScreenCenter";
    } else {
        return SetCaptionProperty(name, value) || SetColorProperty(name, value) || SetFontProperty(name, value);
    }
    return true;
}

bool TForm::BindEvent(const std::string& event, const std::string& handler, int line, TForm&)
{
    if (event != "OnCloseQuery")
        return false;
    OnCloseQuery = CloseQueryHandler(handler, line);
    return true;
}

bool TForm::AcceptsChild(const TWinControl& child) const
{
    return !dynamic_cast<const TForm*>(&child) && !dynamic_cast<const TTabSheet*>(&child);
}

void TForm::CreateParams(TCreateParams& params)
{
    params.WindowClass = formClass_;
    params.Style = WS_CAPTION | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (border_ == Border::Sizeable)
        params.Style |= WS_THICKFRAME;
    if (border_ == Border::Dialog)
        params.ExStyle |= WS_EX_DLGMODALFRAME;
    if (systemMenu_)
        params.Style |= WS_SYSMENU;
    if (systemMenu_ && border_ != Border::Dialog) {
        if (minimizeBox_)
            params.Style |= WS_MINIMIZEBOX;
        if (maximizeBox_)
            params.Style |= WS_MAXIMIZEBOX;
    }
}

RECT TForm::CreationBounds() const
{
    TCreateParams params;
    const_cast<TForm*>(this)->CreateParams(params);
    RECT r{0, 0, Scale(Width()), Scale(Height())};
    AdjustWindowRectEx(&r, params.Style, FALSE, params.ExStyle);
    OffsetRect(&r, -r.left, -r.top);
    return r;
}

void TForm::HandleCreated()
{
    // A window that is not dialog-framed takes the application icon as its own.
    if (border_ != Border::Dialog && Application)
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Application->Icon()));
}

TButton* TForm::DefaultButton() const
{
    for (const auto& component : components_)
        if (auto* button = dynamic_cast<TButton*>(component.get()))
            if (button->Default() && button->Showing())
                return button;
    return nullptr;
}

TButton* TForm::CancelButton() const
{
    for (const auto& component : components_)
        if (auto* button = dynamic_cast<TButton*>(component.get()))
            if (button->Cancel() && button->Showing())
                return button;
    return nullptr;
}

std::vector<TWinControl*> TForm::TabOrder() const
{
    std::vector<TWinControl*> order;
    for (const auto& component : components_)
        if (component->CanFocus())
            order.push_back(component.get());
    return order;
}

TWinControl* TForm::FocusedControl() const
{
    for (HWND window = GetFocus(); window && window != Handle(); window = GetParent(window)) {
        TWinControl* control = FromHandle(window);
        if (control && control->Owner() == this)
            return control;
    }
    return nullptr;
}

void TForm::SelectNext(bool forward)
{
    const std::vector<TWinControl*> order = TabOrder();
    if (order.empty())
        return;
    TWinControl* current = FocusedControl();
    size_t at = order.size();
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i] == current)
            at = i;
    size_t next;
    if (at == order.size())
        next = forward ? 0 : order.size() - 1;
    else
        next = forward ? (at + 1) % order.size() : (at + order.size() - 1) % order.size();
    order[next]->SetFocus();
}

bool TForm::PreTranslateMessage(const MSG& message)
{
    if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd))
        return false;
    TWinControl* focused = FocusedControl();
    if (message.message == WM_KEYDOWN) {
        const WPARAM key = message.wParam;
        if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE)
            return false;
        const UINT code = focused ? focused->DialogCode(message) : 0;
        if (key == VK_TAB) {
            if ((code & DLGC_WANTTAB) || KeyDown(VK_CONTROL) || KeyDown(VK_MENU))
                return false;
            SelectNext(!KeyDown(VK_SHIFT));
            return true;
        }
        if ((code & DLGC_WANTALLKEYS) || KeyDown(VK_SHIFT) || KeyDown(VK_CONTROL) || KeyDown(VK_MENU))
            return false;
        TButton* button = nullptr;
        if (key == VK_RETURN) {
            auto* focusedButton = dynamic_cast<TButton*>(focused);
            button = focusedButton && focusedButton->Showing() ? focusedButton : DefaultButton();
        } else {
            button = CancelButton();
        }
        if (!button)
            return false;
        button->Click();
        return true;
    }
    if (message.message == WM_SYSCHAR) {
        const char letter = static_cast<char>(std::toupper(static_cast<int>(message.wParam & 0xFF)));
        if (!std::isalnum(static_cast<unsigned char>(letter)))
            return false;
        for (const auto& component : components_)
            if (component->DialogChar(letter))
                return true;
    }
    return false;
}

void TForm::Close()
{
    if (modal_)
        ModalResult = mrCancel;
    else
        SetVisible(false);
}

bool TForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        GuardEvent([&] { OnCloseQuery(this, canClose); });
    return canClose;
}

int TForm::ShowModal()
{
    if (!Handle())
        CreateHandle();
    ModalResult = mrNone;
    if (screenCenter_) {
        RECT r;
        GetWindowRect(Handle(), &r);
        const int width = r.right - r.left, height = r.bottom - r.top;
        SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    modal_ = true;
    const HWND previousModal = Application ? Application->ModalWindow() : nullptr;
    if (Application)
        Application->SetModalWindow(Handle());
    SetVisible(true);
    SetForegroundWindow(Handle());
    SetActiveWindow(Handle());
    if (!FocusedControl())
        SelectNext(true);
    MSG message;
    while (true) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // A quit request ends the modal loop as a cancel, and stays queued for the caller.
            PostQuitMessage(static_cast<int>(message.wParam));
            ModalResult = mrCancel;
            break;
        }
        if (!PreTranslateMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (ModalResult != mrNone) {
            if (CloseQuery())
                break;
            ModalResult = mrNone;
        }
    }
    modal_ = false;
    if (Application)
        Application->SetModalWindow(previousModal);
    SetVisible(false);
    return ModalResult;
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ACTIVATE:
        // Keep the focused control while another window is active, and give it back afterwards.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus))
                savedFocus_ = focus;
        } else if (savedFocus_ && IsWindow(savedFocus_) && IsWindowVisible(savedFocus_) &&
                   IsWindowEnabled(savedFocus_)) {
            ::SetFocus(savedFocus_);
        } else {
            SelectNext(true);
        }
        return 0;
    default:
        return TWinControl::WndProc(message, wParam, lParam);
    }
}
