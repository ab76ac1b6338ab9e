// An ordered list of text lines that can be sorted, searched and loaded from or saved to a file.
#pragma once

#include <string>
#include <vector>

class TStringList {
public:
    // Negative, zero or positive, as the first text sorts before, with or after the second.
    using Comparison = int (*)(const std::string&, const std::string&);

    int Count() const { return static_cast<int>(lines_.size()); }
    bool Empty() const { return lines_.empty(); }
    const std::string& operator[](int index) const { return lines_[static_cast<size_t>(index)]; }
    const std::vector<std::string>& Lines() const { return lines_; }

    void Add(const std::string& line) { lines_.push_back(line); }
    void Delete(int index) { lines_.erase(lines_.begin() + index); }
    void Clear() { lines_.clear(); }

    void Sort(Comparison compare);
    // Bisection search of a list sorted by the same comparison.
    bool Find(const std::string& line, Comparison compare) const;

    // Splits text at CR LF, a lone CR or a lone LF; a last line without an end is still a line.
    void SetText(const std::string& text);
    // Every line followed by CR LF.
    std::string Text() const;

    // Reading opens the file read-only without sharing; both raise the silent abort when the file
    // cannot be opened or created.
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;

private:
    std::vector<std::string> lines_;
};
