#include "ShellWords.h"

#include <cstring>

std::vector<std::string> SplitShellWords(const std::string& line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    const size_t n = line.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\\') {
            if (i + 1 < n) {
                ++i;
                if (line[i] != '\n')
                    word += line[i];
            } else {
                word += c;
            }
        } else if (c == '\'') {
            for (++i; i < n && line[i] != '\''; ++i)
                word += line[i];
        } else if (c == '"') {
            for (++i; i < n && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < n && std::strchr("$`\"\\\n", line[i + 1])) {
                    ++i;
                    if (line[i] != '\n')
                        word += line[i];
                } else {
                    word += line[i];
                }
            }
        } else {
            word += c;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}
