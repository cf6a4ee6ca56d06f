#pragma once

#include <optional>
#include <string_view>
#include <vector>

// The few text rules the model lines are checked by. They accept exactly what the
// program accepted before it was portable, so the same lines count as consistent.

// Blanks are the six ASCII white-space bytes: space, \t, \n, \v, \f, \r.
bool IsBlank(char c);

// Without leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

// The pieces between separators; n separators give n + 1 pieces, empty ones kept.
std::vector<std::string_view> SplitAt(std::string_view text, char separator);

// A decimal number within [least, most]: blanks around it, one optional sign, at least
// one digit and nothing else before the end of the text or its first NUL byte. Nothing when the text is not such a number or lies
// outside the range (overflow included).
std::optional<long long> ParseDecimal(std::string_view text, long long least, long long most);
