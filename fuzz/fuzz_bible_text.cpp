// libFuzzer target for the verse text loader and chapter selection.
//
// Any bytes are loaded as the text resource; the run must neither crash nor read out of
// bounds, and the chapter index must give exactly the lists of the linear scan for every
// chapter number that the loaded entries mention. The first bytes also drive the
// catalogue's text forms with arbitrary numbers.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <string_view>

#include "scripture/bible_text.h"
#include "scripture/catalogue.h"
#include "scripture/chapter_index.h"
#include "scripture/chapter_selection.h"
#include "scripture/unicode_whitespace.h"

namespace {

void exerciseCatalogue(const std::uint8_t* data, std::size_t size) {
    int numbers[3] = {0, 0, 0};
    std::memcpy(numbers, data, size < sizeof numbers ? size : sizeof numbers);
    const auto [book, chapter, verse] = numbers;
    const bool valid = scripture::isValidBook(book);
    if (scripture::bookName(book).empty() == valid || scripture::bookPath(book).empty() == valid) std::abort();
    if ((scripture::chapterCount(book) > 0) != valid) std::abort();
    if (scripture::isValidChapter(book, chapter) && (chapter < 1 || chapter > 150)) std::abort();
    const std::string prefix = scripture::chapterPrefix(book, chapter);
    if (!prefix.starts_with(scripture::bookName(book)) || prefix.back() != ':') std::abort();
    const bool threeDigits = chapter >= 0 && chapter <= 999 && verse >= 0 && verse <= 999;
    if (valid && threeDigits && scripture::verseId(book, chapter, verse).size() != 8) std::abort();
    if (scripture::referenceTitle(book, chapter, verse).empty() || scripture::chapterTitle(book, chapter).empty()) std::abort();
    if (!scripture::websitePath(book, chapter, verse).ends_with(".htm")) std::abort();
    if (scripture::locationText(book, chapter, verse).empty()) std::abort();
}

// Chapter numbers worth comparing: the fixed edge cases and every one an entry names.
std::set<int> chapterCandidates(const std::vector<std::string>& entries) {
    std::set<int> chapters = {-1, 0, 1, 2, 10};
    for (std::string_view entry : entries) {
        const std::size_t underscore = entry.find('_');
        if (underscore == std::string_view::npos) continue;
        const std::size_t colon = entry.find(':', underscore + 1);
        if (colon == std::string_view::npos) continue;
        int chapter = 0;
        const char* first = entry.data() + underscore + 1;
        if (std::from_chars(first, entry.data() + colon, chapter).ec == std::errc{}) chapters.insert(chapter);
        if (chapters.size() > 24) break;
    }
    return chapters;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    exerciseCatalogue(data, size);
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    (void)scripture::trimWhitespaceAndNewlines(input);

    scripture::BibleTextParser parser;
    scripture::loadBibleTextFromMemory(input, parser);
    const auto& verses = parser.versesInBible;
    const scripture::ChapterIndex index(verses);
    if (index.indexedCount() != verses.size()) std::abort();

    std::set<int> books = {1, scripture::kBookCount};
    for (std::string_view entry : verses) {
        if (const int book = scripture::bookNumber(entry.substr(0, entry.find('_')))) books.insert(book);
    }
    for (const int book : books) {
        for (const int chapter : chapterCandidates(verses)) {
            if (index.chapterVerses(verses, book, chapter) != scripture::chapterVersesByScan(verses, book, chapter)) {
                std::abort();
            }
        }
    }
    return 0;
}
