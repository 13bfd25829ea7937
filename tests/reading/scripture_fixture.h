#pragma once
// A synthetic text resource in the shape of the shipped one: every chapter of the 66 books,
// each verse "<n>. Text of <Book> <c>:<n>." (plus filler words when asked), so that tests
// can predict every verse and the benchmark can work at the real text's size.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "scripture/catalogue.h"

namespace reading_test {

// A few chapters keep their real verse counts, which the tests quote; the rest get `otherwise`.
inline int fixtureVerseCount(int book, int chapter, int otherwise) {
    if (book == 1 && chapter == 1) return 31;
    if (book == 1 && chapter == 2) return 25;
    if (book == 2 && chapter == 1) return 22;
    return otherwise;
}

inline std::string fixtureVerse(int book, int chapter, int verse, int fillerWords = 0) {
    std::string text = std::to_string(verse) + ". Text of " + scripture::referenceTitle(book, chapter, verse);
    for (int i = 0; i < fillerWords; ++i) text += " word";
    return text + ".";
}

inline std::string syntheticBibleXml(int versesPerChapter, int fillerWords = 0) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<bible>\n";
    for (int book = 1; book <= scripture::kBookCount; ++book) {
        xml += "<b><h>" + std::string(scripture::bookName(book)) + "</h>\n";
        for (int chapter = 1; chapter <= scripture::chapterCount(book); ++chapter) {
            xml += "<c>" + std::to_string(chapter) + "</c>\n";
            for (int verse = 1; verse <= fixtureVerseCount(book, chapter, versesPerChapter); ++verse)
                xml += "  <v>" + fixtureVerse(book, chapter, verse, fillerWords) + "</v>\n";
        }
        xml += "</b>\n";
    }
    return xml + "</bible>\n";
}

// A fresh directory under the system's temporary directory, removed with the object.
class TemporaryDirectory {
public:
    TemporaryDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lectio-reading-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : std::string{};
    }
    ~TemporaryDirectory() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Writes "web.xml" and a small "ref.csv" into `directory`.
inline void writeResources(const std::filesystem::path& directory, int versesPerChapter, int fillerWords = 0) {
    std::filesystem::create_directories(directory);
    std::ofstream(directory / "web.xml") << syntheticBibleXml(versesPerChapter, fillerWords);
    std::ofstream(directory / "ref.csv") << "1.1.1,43.1.1,10\n\n1.1.1,58.11.3,7\r\n";
}

}  // namespace reading_test
