#pragma once
// Growable text buffer for the content stream under construction. Appending past the capacity
// at least doubles it, so a page with many lines is built in linear time; Reset keeps the
// capacity, so a long document reuses one allocation page after page.

#include <cstddef>
#include <string>
#include <string_view>

class ContentBuffer {
public:
    void Append(std::string_view text)
    {
        const std::size_t end = text_.size() + text.size();
        if (end > text_.capacity())
            text_.reserve(text_.capacity() + end);
        text_.append(text);
    }
    void Reset() { text_.clear(); }
    std::string_view View() const { return text_; }
    std::size_t Size() const { return text_.size(); }
    std::size_t Capacity() const { return text_.capacity(); }

private:
    std::string text_;
};
