#pragma once
// Where the values of a JSON text stand: the line of every value by its JSON pointer, and the
// keys that one object gives twice (a parsed document keeps only one of them).

#include <map>
#include <string>
#include <vector>

namespace tvx {

// A JSON pointer token: "~" and "/" escaped.
std::string pointer_token(const std::string& key);

// The last token of a pointer, unescaped; "" for the root.
std::string last_token(const std::string& pointer);

struct RepeatedKey {
    std::string pointer;  // the second occurrence's value
    int firstLine;
};

class JsonLines {
public:
    // Indexes `text`; false when it is not JSON (the parser says why).
    bool index(const std::string& text);

    // The line (from 1) of the value at `pointer`, or of the key that names it; for a pointer
    // the text lacks, that of the nearest enclosing value; 0 when there is none.
    int line(const std::string& pointer) const;

    const std::vector<RepeatedKey>& repeated() const { return repeated_; }

private:
    std::map<std::string, int> lines_;
    std::vector<RepeatedKey> repeated_;
};

}  // namespace tvx
