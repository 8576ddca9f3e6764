#include "tools/tvx/jsonlines.h"

#include <nlohmann/json.hpp>

#include <iterator>
#include <set>

namespace tvx {
namespace {

// What the parser has read so far: the line it is on and the last character.
struct ReadState {
    int line = 1;
    char last = 0;
};

// A character iterator that counts the lines the parser reads past.
struct CountingIterator {
    typedef std::input_iterator_tag iterator_category;
    typedef char value_type;
    typedef std::ptrdiff_t difference_type;
    typedef const char* pointer;
    typedef const char& reference;

    const char* at;
    ReadState* state;

    reference operator*() const { return *at; }
    CountingIterator& operator++() {
        state->last = *at;
        if (*at == '\n')
            ++state->line;
        ++at;
        return *this;
    }
    bool operator==(const CountingIterator& other) const { return at == other.at; }
    bool operator!=(const CountingIterator& other) const { return at != other.at; }
};

typedef nlohmann::ordered_json Json;

class LineRecorder : public nlohmann::json_sax<Json> {
public:
    LineRecorder(const ReadState& state, std::map<std::string, int>& lines,
                 std::vector<RepeatedKey>& repeated)
        : state_(state), lines_(lines), repeated_(repeated) {}

    bool null() override { return scalar(false); }
    bool boolean(bool) override { return scalar(false); }
    // A number ends where the parser reads the character after it.
    bool number_integer(number_integer_t) override { return scalar(true); }
    bool number_unsigned(number_unsigned_t) override { return scalar(true); }
    bool number_float(number_float_t, const string_t&) override { return scalar(true); }
    bool string(string_t&) override { return scalar(false); }
    bool binary(binary_t&) override { return scalar(false); }

    bool start_object(std::size_t) override { return open(true); }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(false); }
    bool end_array() override { return close(); }

    bool key(string_t& key) override {
        Level& level = stack_.back();
        level.key = key;
        const std::string at = level.path + "/" + pointer_token(key);
        if (!level.keys.insert(key).second) {
            auto first = lines_.find(at);
            repeated_.push_back({at, first == lines_.end() ? 0 : first->second});
        } else {
            lines_.emplace(at, state_.line);
        }
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

private:
    struct Level {
        std::string path;
        bool isObject;
        size_t index = 0;
        std::string key;
        std::set<std::string> keys;
    };

    // The pointer of the value being read; in an object its key recorded the line already.
    std::string place(bool& keyed) {
        keyed = false;
        if (stack_.empty())
            return "";
        Level& level = stack_.back();
        if (level.isObject) {
            keyed = true;
            return level.path + "/" + pointer_token(level.key);
        }
        return level.path + "/" + std::to_string(level.index++);
    }

    int current_line(bool lookahead) const {
        return state_.line - (lookahead && state_.last == '\n' ? 1 : 0);
    }

    bool scalar(bool lookahead) {
        bool keyed;
        const std::string at = place(keyed);
        if (!keyed)
            lines_.emplace(at, current_line(lookahead));
        return true;
    }

    bool open(bool isObject) {
        bool keyed;
        const std::string at = place(keyed);
        if (!keyed)
            lines_.emplace(at, current_line(false));
        Level level;
        level.path = at;
        level.isObject = isObject;
        stack_.push_back(level);
        return true;
    }

    bool close() {
        stack_.pop_back();
        return true;
    }

    const ReadState& state_;
    std::map<std::string, int>& lines_;
    std::vector<RepeatedKey>& repeated_;
    std::vector<Level> stack_;
};

}  // namespace

std::string pointer_token(const std::string& key) {
    std::string out;
    for (char c : key) {
        if (c == '~')
            out += "~0";
        else if (c == '/')
            out += "~1";
        else
            out += c;
    }
    return out;
}

std::string last_token(const std::string& pointer) {
    const size_t slash = pointer.rfind('/');
    if (slash == std::string::npos)
        return "";
    std::string out;
    for (size_t i = slash + 1; i < pointer.size(); ++i) {
        if (pointer[i] == '~' && i + 1 < pointer.size()) {
            out += pointer[i + 1] == '1' ? '/' : '~';
            ++i;
        } else {
            out += pointer[i];
        }
    }
    return out;
}

bool JsonLines::index(const std::string& text) {
    lines_.clear();
    repeated_.clear();
    ReadState state;
    LineRecorder recorder(state, lines_, repeated_);
    const CountingIterator first{text.data(), &state};
    const CountingIterator last{text.data() + text.size(), &state};
    return Json::sax_parse(first, last, &recorder);
}

int JsonLines::line(const std::string& pointer) const {
    std::string at = pointer;
    while (true) {
        auto found = lines_.find(at);
        if (found != lines_.end())
            return found->second;
        const size_t slash = at.rfind('/');
        if (slash == std::string::npos)
            return 0;
        at.erase(slash);
    }
}

}  // namespace tvx
