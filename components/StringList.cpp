#include "components/StringList.h"

#include <algorithm>

#include "components/Exceptions.h"
#include "components/FileStream.h"

void TStringList::Sort(Comparison compare)
{
    std::stable_sort(lines_.begin(), lines_.end(),
                     [compare](const std::string& a, const std::string& b) { return compare(a, b) < 0; });
}

bool TStringList::Find(const std::string& line, Comparison compare) const
{
    int low = 0, high = Count() - 1;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        const int order = compare(lines_[static_cast<size_t>(middle)], line);
        if (order == 0)
            return true;
        if (order < 0)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return false;
}

void TStringList::SetText(const std::string& text)
{
    lines_.clear();
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines_.push_back(text.substr(start));
            break;
        }
        lines_.push_back(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
}

std::string TStringList::Text() const
{
    std::string text;
    for (const std::string& line : lines_)
        text += line + "\r\n";
    return text;
}

void TStringList::LoadFromFile(const std::string& path)
{
    TFileStream file(path, TFileStream::Mode::OpenRead);
    SetText(file.ReadAll());
}

void TStringList::SaveToFile(const std::string& path) const
{
    const std::string text = Text();
    TFileStream file(path, TFileStream::Mode::Create);
    if (file.Write(text.data(), text.size()) != text.size())
        throw EWriteError();
}
