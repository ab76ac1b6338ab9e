#include "components/FormDescription.h"

#include <cctype>

#include <windows.h>

#include "components/Controls.h"
#include "components/Exceptions.h"

namespace {

[[noreturn]] void Fail(int line, const std::string& what)
{
    FormError(line, what);
}

[[noreturn]] void WrongKind(const TPropValue& value, const std::string& property, const char* expected)
{
    Fail(value.Line, "property " + property + " expects " + expected);
}

std::map<std::string, TComponentFactory>& Registry()
{
    static std::map<std::string, TComponentFactory> registry;
    return registry;
}

enum class TokenKind { End, Ident, Number, Text, Symbol };

struct Token {
    TokenKind Kind = TokenKind::End;
    std::string Text;
    long long Number = 0;
    int Line = 1;
};

class Lexer {
public:
    explicit Lexer(const std::string& text) : text_(text) {}

    Token Next()
    {
        SkipBlanks();
        Token token;
        token.Line = line_;
        if (pos_ >= text_.size())
            return token;
        const char c = text_[pos_];
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            token.Kind = TokenKind::Ident;
            while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) ||
                                           text_[pos_] == '_' || text_[pos_] == '.'))
                token.Text += text_[pos_++];
        } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-') {
            token.Kind = TokenKind::Number;
            std::string digits(1, text_[pos_++]);
            while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])))
                digits += text_[pos_++];
            if (digits == "-")
                Fail(line_, "a number expected after '-'");
            token.Number = std::stoll(digits);
        } else if (c == '"') {
            token.Kind = TokenKind::Text;
            token.Text = QuotedText();
        } else {
            token.Kind = TokenKind::Symbol;
            token.Text = std::string(1, c);
            ++pos_;
        }
        return token;
    }

private:
    void SkipBlanks()
    {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++pos_;
            } else if (c == '#') {
                while (pos_ < text_.size() && text_[pos_] != '\n')
                    ++pos_;
            } else {
                break;
            }
        }
    }

    std::string QuotedText()
    {
        std::string value;
        ++pos_;
        while (true) {
            if (pos_ >= text_.size() || text_[pos_] == '\n')
                Fail(line_, "unterminated text");
            const char c = text_[pos_++];
            if (c == '"')
                return value;
            if (c != '\\') {
                value += c;
                continue;
            }
            const char escaped = pos_ < text_.size() ? text_[pos_++] : '\0';
            switch (escaped) {
            case 'r': value += '\r'; break;
            case 't': value += '\t'; break;
            case '\\': value += '\\'; break;
            case '"': value += '"'; break;
            default: Fail(line_, std::string("unknown escape \\") + escaped);
            }
        }
    }

    const std::string& text_;
    size_t pos_ = 0;
    int line_ = 1;
};

class Parser {
public:
    explicit Parser(const std::string& text) : lexer_(text) { Advance(); }

    TFormObject Root()
    {
        TFormObject root = Object();
        if (token_.Kind != TokenKind::End)
            Fail(token_.Line, "text after the end of the root object");
        return root;
    }

private:
    void Advance() { token_ = lexer_.Next(); }

    bool IsWord(const char* word) const { return token_.Kind == TokenKind::Ident && token_.Text == word; }
    bool IsSymbol(char symbol) const { return token_.Kind == TokenKind::Symbol && token_.Text[0] == symbol; }

    std::string ExpectIdent(const char* what)
    {
        if (token_.Kind != TokenKind::Ident)
            Fail(token_.Line, std::string(what) + " expected");
        std::string text = token_.Text;
        Advance();
        return text;
    }

    void ExpectSymbol(char symbol)
    {
        if (!IsSymbol(symbol))
            Fail(token_.Line, std::string("'") + symbol + "' expected");
        Advance();
    }

    TFormObject Object()
    {
        if (!IsWord("object"))
            Fail(token_.Line, "'object' expected");
        TFormObject object;
        object.Line = token_.Line;
        Advance();
        object.Name = ExpectIdent("an object name");
        ExpectSymbol(':');
        object.ClassName = ExpectIdent("a class name");
        while (!IsWord("end")) {
            if (token_.Kind == TokenKind::End)
                Fail(token_.Line, "'end' of object " + object.Name + " expected");
            if (IsWord("object")) {
                object.Children.push_back(Object());
                continue;
            }
            TFormProperty property;
            property.Name = ExpectIdent("a property name");
            ExpectSymbol('=');
            property.Value = Value();
            object.Properties.push_back(std::move(property));
        }
        Advance();
        return object;
    }

    TPropValue Value()
    {
        TPropValue value;
        value.Line = token_.Line;
        switch (token_.Kind) {
        case TokenKind::Number: value.Type = TPropValue::Kind::Number; value.Number = token_.Number; break;
        case TokenKind::Ident: value.Type = TPropValue::Kind::Ident; value.Text = token_.Text; break;
        case TokenKind::Text: value.Type = TPropValue::Kind::Text; value.Text = token_.Text; break;
        default:
            if (!IsSymbol('['))
                Fail(token_.Line, "a value expected");
            value.Type = TPropValue::Kind::Set;
            Advance();
            while (!IsSymbol(']')) {
                if (!value.Items.empty())
                    ExpectSymbol(',');
                value.Items.push_back(ExpectIdent("a set member"));
            }
        }
        Advance();
        return value;
    }

    Lexer lexer_;
    Token token_;
};

}  // namespace

void FormError(int line, const std::string& what)
{
    throw EFormError("form description, line " + std::to_string(line) + ": " + what);
}

int TPropValue::AsInt(const std::string& property) const
{
    if (Type != Kind::Number)
        WrongKind(*this, property, "a number");
    return static_cast<int>(Number);
}

bool TPropValue::AsBool(const std::string& property) const
{
    if (Type != Kind::Ident || (Text != "true" && Text != "false"))
        WrongKind(*this, property, "true or false");
    return Text == "true";
}

const std::string& TPropValue::AsIdent(const std::string& property) const
{
    if (Type != Kind::Ident)
        WrongKind(*this, property, "an identifier");
    return Text;
}

const std::string& TPropValue::AsText(const std::string& property) const
{
    if (Type != Kind::Text)
        WrongKind(*this, property, "a quoted text");
    return Text;
}

const std::vector<std::string>& TPropValue::AsSet(const std::string& property) const
{
    if (Type != Kind::Set)
        WrongKind(*this, property, "a set");
    return Items;
}

TFormObject ParseFormDescription(const std::string& text)
{
    return Parser(text).Root();
}

std::string LoadFormResource(const char* name)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, name, MAKEINTRESOURCEA(10));
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        throw EFormError(std::string("form description ") + name + " is missing");
    return std::string(static_cast<const char*>(data), SizeofResource(module, resource));
}

void RegisterComponentClass(const std::string& className, TComponentFactory factory)
{
    Registry()[className] = std::move(factory);
}

std::unique_ptr<TWinControl> CreateComponent(const std::string& className, int line)
{
    const auto found = Registry().find(className);
    if (found == Registry().end())
        Fail(line, "unknown class " + className);
    return found->second();
}
