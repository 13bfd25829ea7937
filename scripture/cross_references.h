// The cross-reference table ("ref.csv"): every non-empty line of the resource, and the
// references of one verse picked out of it.
//
// A data line is "source,target,score" with verses written "book.chapter.verse". The lines
// are kept as read, in one buffer with line offsets, so that the table keeps the meaning of
// "every non-empty line in file order" at the cost of one allocation.
//
// Two ways to list a verse's references give the same rows in the same order:
// `listReferences` walks every line with a prefix comparison, as the reading screen always
// did; `referencesOf` looks the verse up in an index built while loading. The walk is kept
// as the reference the index is checked against.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace scripture {

// One row of the references list: the target verse, its reference title ("Psalms 33:6")
// and the line's score.
struct CrossReference {
    std::int64_t score = 0;
    int book = 0;
    int chapter = 0;
    int verse = 0;
    std::string title;

    bool operator==(const CrossReference&) const = default;
};

enum class CrossReferenceLoadStatus {
    loaded,
    missingFile,  // no file at the path (or no path at all)
    unreadable,   // the file could not be read, or is too large to index
    notUtf8,      // the bytes are not valid UTF-8
};

class CrossReferenceTable {
public:
    CrossReferenceTable() = default;

    // Splits decoded text into lines at every line break (LF, VT, FF, CR, CR LF, NEL, LS,
    // PS), drops empty pieces and indexes the lines by source verse. Text over 4 GiB is
    // refused with an empty table.
    static CrossReferenceTable fromText(std::string text);

    // `crossReferences`: the number of non-empty lines and line i, in file order.
    std::size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }
    std::string_view line(std::size_t i) const;

    // The references of book.chapter.verse, best score first, lines of equal score in file
    // order. Lines without a target, with a target or score that is not an integer, with a
    // target of fewer than three parts, or naming a book outside 1-66, a chapter outside the
    // book or a verse below 1, are skipped. Any int is accepted as input.
    std::vector<CrossReference> listReferences(int book, int chapter, int verse) const;  // scans every line
    std::vector<CrossReference> referencesOf(int book, int chapter, int verse) const;    // uses the index

private:
    struct Line {
        std::uint32_t offset;
        std::uint32_t length;
    };
    struct SourceKey {
        int book, chapter, verse;
        bool operator==(const SourceKey&) const = default;
    };
    struct SourceKeyHash {
        std::size_t operator()(const SourceKey& key) const;
    };

    void splitLines();
    void buildIndex();

    std::string text_;
    std::vector<Line> lines_;
    // Line numbers grouped by source verse, each group in file order: group g is
    // indexedLines_[groupStart_[g], groupStart_[g + 1]).
    std::vector<std::uint32_t> indexedLines_;
    std::vector<std::uint32_t> groupStart_;
    std::unordered_map<SourceKey, std::uint32_t, SourceKeyHash> groupOfSource_;
};

struct CrossReferenceLoad {
    CrossReferenceTable table;
    CrossReferenceLoadStatus status = CrossReferenceLoadStatus::missingFile;
};

// Reads the whole resource at `path`. Anything but `loaded` comes with an empty table.
CrossReferenceLoad loadCrossReferences(const std::filesystem::path& path);

// The same from bytes in memory: checks they are UTF-8 (a leading byte-order mark is
// dropped, as decoding does), then splits and indexes them.
CrossReferenceLoad parseCrossReferences(std::string bytes);

}  // namespace scripture
