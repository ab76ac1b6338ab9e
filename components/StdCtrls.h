// Standard controls on native windows: labels, edit boxes, memos, check boxes and push buttons.
#pragma once

#include <string>

#include "components/Controls.h"

// A static text; an ampersand marks the letter that, with Alt, focuses FocusControl.
class TLabel : public TWinControl {
public:
    TLabel();
    bool AutoSize() const { return autoSize_; }
    void SetCaption(const std::string& caption);
    TWinControl* FocusControl() const { return focusControl_; }

    bool SetProperty(const std::string& name, const TPropValue& value) override;
    void Loaded() override;
    bool ReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool DialogChar(char letter) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;

private:
    void AdjustSize();

    bool autoSize_ = true;
    std::string focusControlName_;
    int focusControlLine_ = 0;
    TWinControl* focusControl_ = nullptr;
};

// A one-line edit box.
class TEdit : public TWinControl {
public:
    TEdit();
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }

    bool SetProperty(const std::string& name, const TPropValue& value) override;
    bool ReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
};

// A multi-line text box; it takes Enter and Escape itself, as a memo that accepts returns does.
class TMemo : public TWinControl {
public:
    TMemo();
    // The count of lines it holds: none when it holds no text.
    int LineCount() const;
    // Replaces the lines with those of a file whose lines end in LF or CR LF; raises the silent
    // abort when the file cannot be opened.
    void LoadLinesFromFile(const std::string& path);

    bool SetProperty(const std::string& name, const TPropValue& value) override;
    bool ReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool readOnly_ = false;
    bool verticalScrollBar_ = false;
};

class TCheckBox : public TWinControl {
public:
    TCheckBox();
    bool Checked() const;
    void SetChecked(bool checked);

    bool SetProperty(const std::string& name, const TPropValue& value) override;
    bool ReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool DialogChar(char letter) override;

protected:
    void HandleCreated() override { SetChecked(checked_); }
    void CreateParams(TCreateParams& params) override;

private:
    bool checked_ = false;
};

// A push button; the form's default button answers Enter, its cancel button Escape.
class TButton : public TWinControl {
public:
    TButton();
    bool Default() const { return default_; }
    bool Cancel() const { return cancel_; }
    // Runs OnClick.
    void Click();
    TNotifyEvent OnClick;

    bool SetProperty(const std::string& name, const TPropValue& value) override;
    bool BindEvent(const std::string& event, const std::string& handler, int line, TForm& form) override;
    bool ReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool DialogChar(char letter) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool default_ = false;
    bool cancel_ = false;
};
