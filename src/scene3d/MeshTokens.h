#pragma once

#include <cctype>
#include <string_view>

// Tokens of the text format: braces, quoted strings and words; blanks, "," and ";" only
// separate them. "//" and "#" start comments.
class Tokens {
public:
    explicit Tokens(std::string_view text) : text_(text) {}

    std::string_view Next()
    {
        Skip();
        if (at_ >= text_.size())
            return {};
        const size_t start = at_;
        const char c = text_[at_];
        if (c == '{' || c == '}') {
            ++at_;
        } else if (c == '"') {
            const size_t close = text_.find('"', at_ + 1);
            at_ = close == std::string_view::npos ? text_.size() : close + 1;
        } else {
            while (at_ < text_.size() && !Separator(text_[at_]) && text_[at_] != '{' && text_[at_] != '}')
                ++at_;
        }
        return text_.substr(start, at_ - start);
    }

    // A non-negative integer token, or -1.
    long Count()
    {
        const std::string_view token = Next();
        if (token.empty() || token.size() > 9)
            return -1;
        long value = 0;
        for (const char c : token) {
            if (c < '0' || c > '9')
                return -1;
            value = value * 10 + (c - '0');
        }
        return value;
    }

private:
    static bool Separator(char c) { return std::isspace(static_cast<unsigned char>(c)) || c == ',' || c == ';'; }

    void Skip()
    {
        while (at_ < text_.size()) {
            if (Separator(text_[at_])) {
                ++at_;
            } else if (text_[at_] == '#' || text_.substr(at_, 2) == "//") {
                const size_t end = text_.find('\n', at_);
                at_ = end == std::string_view::npos ? text_.size() : end;
            } else {
                break;
            }
        }
    }

    std::string_view text_;
    size_t at_ = 0;
};
