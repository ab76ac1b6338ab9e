// The text form description: a tree of named, classed objects with their properties, parsed
// from a readable format, and the registry that creates components from their class names.
//
//   # a comment runs to the end of its line
//   object MainDlgForm: TMainDlgForm
//     ClientWidth = 492                  a number (optionally negative)
//     BorderStyle = bsSingle             an identifier (also true and false, and event handlers)
//     BorderIcons = [biSystemMenu]       a set of identifiers
//     Caption = "first\rsecond"          a quoted text; \r \t \\ and \" are its only escapes
//     Font.Height = -15                  dotted names address a part of a component
//     object PgCtrl: TPageControl        a child follows inside its parent
//     end
//   end
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TWinControl;

struct TPropValue {
    enum class Kind { Number, Ident, Text, Set };
    Kind Type = Kind::Number;
    long long Number = 0;
    std::string Text;                // the identifier or the text
    std::vector<std::string> Items;  // the members of a set
    int Line = 0;

    // Each raises EFormError naming the property when the value has another kind.
    int AsInt(const std::string& property) const;
    bool AsBool(const std::string& property) const;
    const std::string& AsIdent(const std::string& property) const;
    const std::string& AsText(const std::string& property) const;
    const std::vector<std::string>& AsSet(const std::string& property) const;
};

struct TFormProperty {
    std::string Name;
    TPropValue Value;
};

struct TFormObject {
    std::string Name;
    std::string ClassName;
    int Line = 0;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
};

// Raises EFormError for the description's line.
[[noreturn]] void FormError(int line, const std::string& what);

// Parses one root object; raises EFormError with the line number on any syntax error.
TFormObject ParseFormDescription(const std::string& text);

// The text of an RT_RCDATA resource of the program; raises EFormError when it is missing.
std::string LoadFormResource(const char* name);

// Component classes by name, for the form loader.
using TComponentFactory = std::function<std::unique_ptr<TWinControl>()>;
void RegisterComponentClass(const std::string& className, TComponentFactory factory);
template <typename T>
void RegisterComponentClass(const std::string& className)
{
    RegisterComponentClass(className, [] { return std::unique_ptr<TWinControl>(new T); });
}
// Raises EFormError, naming the description's line, when the class is not registered.
std::unique_ptr<TWinControl> CreateComponent(const std::string& className, int line);
