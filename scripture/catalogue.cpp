#include "scripture/catalogue.h"

#include <cstdio>
#include <unordered_map>

namespace scripture {

int bookNumber(std::string_view name) {
    static const std::unordered_map<std::string_view, int> numbers = [] {
        std::unordered_map<std::string_view, int> map;
        for (int book = 1; book <= kBookCount; ++book) map.emplace(booksOfBible[book - 1], book);
        return map;
    }();
    const auto found = numbers.find(name);
    return found == numbers.end() ? 0 : found->second;
}

std::string chapterPrefix(int book, int chapter) {
    std::string prefix(bookName(book));
    prefix += '_';
    prefix += std::to_string(chapter);
    prefix += ':';
    return prefix;
}

std::string referenceTitle(int book, int chapter, int verse) {
    return chapterTitle(book, chapter) + ':' + std::to_string(verse);
}

std::string chapterTitle(int book, int chapter) {
    std::string title(bookName(book));
    title += ' ';
    title += std::to_string(chapter);
    return title;
}

std::string verseId(int book, int chapter, int verse) {
    // Wide enough for three full-range ints with signs; in range the result is 8 digits.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%02d%03d%03d", book, chapter, verse);
    return buffer;
}

std::string websitePath(int book, int chapter, int verse) {
    std::string path(bookPath(book));
    for (char& c : path) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    path += '/';
    path += std::to_string(chapter);
    path += '-';
    path += std::to_string(verse);
    path += ".htm";
    return path;
}

std::string locationText(int book, int chapter, int verse) {
    return std::to_string(book) + '.' + std::to_string(chapter) + '.' + std::to_string(verse);
}

}  // namespace scripture
