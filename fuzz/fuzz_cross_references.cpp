// libFuzzer target for the cross-reference loader and listing.
//
// Any bytes are loaded as the resource; the run must neither crash nor read out of bounds.
// Bytes that are not UTF-8 must give an empty table. For every source key that the loaded
// lines spell, and for a few fixed and byte-derived verses, the index must list exactly what
// the line scan lists, and every listed row must name a verse inside the catalogue.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "scripture/catalogue.h"
#include "scripture/cross_references.h"

namespace {

void checkVerse(const scripture::CrossReferenceTable& table, int book, int chapter, int verse) {
    const auto scanned = table.listReferences(book, chapter, verse);
    const auto indexed = table.referencesOf(book, chapter, verse);
    if (scanned != indexed) std::abort();
    for (std::size_t i = 0; i < indexed.size(); ++i) {
        const auto& r = indexed[i];
        if (!scripture::isValidChapter(r.book, r.chapter) || r.verse < 1) std::abort();
        if (r.title != scripture::referenceTitle(r.book, r.chapter, r.verse)) std::abort();
        if (i > 0 && indexed[i - 1].score < r.score) std::abort();
    }
}

// The numbers "a.b.c," at the start of a line, read loosely: enough to reach the keys the
// line may match, and odd ones besides.
bool looseKey(std::string_view line, int (&numbers)[3]) {
    std::size_t pos = 0;
    for (int i = 0; i < 3; ++i) {
        const bool negative = pos < line.size() && line[pos] == '-';
        if (negative) ++pos;
        long long value = 0;
        std::size_t digits = 0;
        while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9' && digits < 12) {
            value = value * 10 + (line[pos++] - '0');
            ++digits;
        }
        if (digits == 0 || value > 2147483647LL) return false;
        numbers[i] = static_cast<int>(negative ? -value : value);
        if (pos >= line.size() || line[pos++] != (i < 2 ? '.' : ',')) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto load = scripture::parseCrossReferences(bytes);
    const auto& table = load.table;
    if (load.status != scripture::CrossReferenceLoadStatus::loaded && !table.empty()) std::abort();

    std::size_t total = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto line = table.line(i);
        if (line.empty()) std::abort();
        total += line.size();
        int numbers[3];
        if (i < 64 && looseKey(line, numbers)) checkVerse(table, numbers[0], numbers[1], numbers[2]);
    }
    if (total > size) std::abort();
    if (!table.line(table.size()).empty()) std::abort();

    checkVerse(table, 1, 1, 1);
    checkVerse(table, 0, 0, 0);
    int numbers[3] = {0, 0, 0};
    std::memcpy(numbers, data, size < sizeof numbers ? size : sizeof numbers);
    checkVerse(table, numbers[0], numbers[1], numbers[2]);
    return 0;
}
