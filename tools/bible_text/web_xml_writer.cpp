#include "tools/bible_text/web_xml_writer.h"

namespace bible_text {

std::string escapeXmlText(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

WebXmlWriter::WebXmlWriter(std::ostream& out) : out_(out) {
    out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<bible>\n";
}

void WebXmlWriter::book(std::string_view displayName) { out_ << "<h>" << escapeXmlText(displayName) << "</h>\n"; }

void WebXmlWriter::chapter(int number) { out_ << "<c>" << number << "</c>\n"; }

void WebXmlWriter::verse(int number, std::string_view text) {
    out_ << "<v>" << number << '.';
    if (!text.empty()) out_ << ' ' << escapeXmlText(text);
    out_ << "</v>\n";
}

void WebXmlWriter::finish() { out_ << "</bible>\n"; }

}  // namespace bible_text
