#include "MeshTextCheck.h"

#include <cctype>
#include <cstdlib>
#include <string_view>

namespace {

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

// After "{": a point count, three numbers per point, a face count and the faces.
bool FacesInRange(Tokens& tokens)
{
    const long points = tokens.Count();
    if (points < 0)
        return false;
    for (long i = 0; i < 3 * points; ++i) {
        if (tokens.Next().empty())
            return false;
    }
    const long faces = tokens.Count();
    if (faces < 0)
        return false;
    for (long f = 0; f < faces; ++f) {
        const long corners = tokens.Count();
        if (corners < 0)
            return false;
        for (long c = 0; c < corners; ++c) {
            const long index = tokens.Count();
            if (index < 0 || index >= points)
                return false;
        }
    }
    return true;
}

}  // namespace

bool MeshIndicesInRange(std::string_view text)
{
    Tokens tokens(text);
    for (std::string_view token = tokens.Next(); !token.empty(); token = tokens.Next()) {
        if (token == "template") {
            tokens.Next();  // a template's name may be "Mesh"; its body holds no data
            continue;
        }
        if (token != "Mesh" && token != "MeshNormals")
            continue;
        std::string_view open = tokens.Next();
        if (open != "{")
            open = tokens.Next();  // the block's optional name
        if (open != "{" || !FacesInRange(tokens))
            return false;
    }
    return true;
}
