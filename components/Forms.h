// Forms: top-level windows built from a form description, with event handlers bound by name,
// shown modally until a modal result is set and the close query lets the window close.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "components/Application.h"
#include "components/Controls.h"
#include "components/Exceptions.h"
#include "utils/MessageBox.h"

class TButton;

using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TForm : public TWinControl {
public:
    // className is the class that the description's root object must name; it is also the
    // window class of the form's window.
    explicit TForm(const std::string& className);
    ~TForm() override;

    // Handlers that descriptions bind by name; register them before loading.
    void RegisterHandler(const std::string& name, TNotifyEvent handler);
    void RegisterCloseQuery(const std::string& name, TCloseQueryEvent handler);
    // Raise EFormError, naming the line, for a name that is not registered.
    TNotifyEvent NotifyHandler(const std::string& name, int line) const;
    TCloseQueryEvent CloseQueryHandler(const std::string& name, int line) const;

    // Builds the components from a description and creates the windows; raises EFormError for
    // an unknown class, property, event or handler, or a malformed description.
    void LoadFromDescription(const std::string& text);
    TWinControl* FindComponent(const std::string& name) const;
    // Sets a field to the component of that name; raises EFormError when it is missing or of
    // another class.
    template <typename T>
    void Bind(T*& field, const std::string& name) const
    {
        field = dynamic_cast<T*>(FindComponent(name));
        if (!field)
            throw EFormError("form description: no component " + name + " of the expected class");
    }
    // Every component, in the order of the description.
    const std::vector<std::unique_ptr<TWinControl>>& Components() const { return components_; }

    int DesignPixelsPerInch() const { return designPixelsPerInch_; }
    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }

    // Shows the form centred (when its position says so), runs the message loop until a non-zero
    // modal result passes the close query, hides the form and returns the result.
    int ShowModal();
    int ModalResult = 0;
    // What the close box does: a modal form asks for the result 2 (Cancel).
    void Close();
    // Runs OnCloseQuery; true when the form may close.
    bool CloseQuery();
    TCloseQueryEvent OnCloseQuery;

    // The enabled, visible button with the default or the cancel role, or null.
    TButton* DefaultButton() const;
    TButton* CancelButton() const;
    // Moves the focus to the next (or previous) control that takes it, in description order.
    void SelectNext(bool forward);

    bool SetProperty(const std::string& name, const TPropValue& value) override;
    bool BindEvent(const std::string& event, const std::string& handler, int line, TForm& form) override;
    bool AcceptsChild(const TWinControl& child) const override;

protected:
    void CreateParams(TCreateParams& params) override;
    RECT CreationBounds() const override;
    void HandleCreated() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Keys that the form handles before the focused control: Tab, Enter, Escape and Alt letters.
    bool PreTranslateMessage(const MSG& message);

private:
    void Apply(TWinControl& control, const TFormObject& object);
    void LoadChild(const TFormObject& object, TWinControl& parent);
    TWinControl* FocusedControl() const;
    std::vector<TWinControl*> TabOrder() const;

    std::string formClass_;
    std::map<std::string, TNotifyEvent> notifyHandlers_;
    std::map<std::string, TCloseQueryEvent> closeQueryHandlers_;
    std::vector<std::unique_ptr<TWinControl>> components_;
    int designPixelsPerInch_ = 96;
    enum class Border { Single, Sizeable, Dialog } border_ = Border::Sizeable;
    bool systemMenu_ = true, minimizeBox_ = true, maximizeBox_ = true;
    bool screenCenter_ = false;
    bool modal_ = false;
    HWND savedFocus_ = nullptr;
};
