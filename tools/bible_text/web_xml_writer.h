// Writing the verse text resource: <bible>, then "h" (book display name), "c" (chapter
// number) and "v" ("<n>. <text>") elements in reading order, one element a line, no
// indentation, since the reader parses the whole file at every start.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace bible_text {

// Escapes '&', '<' and '>' for XML character data.
std::string escapeXmlText(std::string_view text);

class WebXmlWriter {
public:
    explicit WebXmlWriter(std::ostream& out);
    void book(std::string_view displayName);
    void chapter(int number);
    void verse(int number, std::string_view text);
    void finish();

private:
    std::ostream& out_;
};

}  // namespace bible_text
