// JSON written as it is produced, indented two spaces a level as people read it, with no
// tree built first: a document's layers may nest a hundred thousand deep, and a tree of
// them would be copied, dumped and destroyed recursively. The indentation stops growing
// after a few levels so that the text stays linear in what it holds.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string_view>
#include <vector>

namespace cartovel {

class JsonStream {
public:
    explicit JsonStream(std::ostream& out) : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    /// The name of the next member of the object being written.
    JsonStream& key(std::string_view name);
    /// Text that is not valid UTF-8 has the bad bytes replaced.
    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(bool b);
    void value(std::size_t n);
    /// null when not finite.
    void value(double x);
    void null();

    /// Levels beyond this are written at its indentation.
    static constexpr std::size_t kMaxIndentLevels = 20;

private:
    void beforeValue();
    void writeString(std::string_view text);
    void open(char bracket);
    void close(char bracket);
    void newline(std::size_t level);

    struct Level {
        bool empty = true;
    };
    std::ostream& out_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

} // namespace cartovel
