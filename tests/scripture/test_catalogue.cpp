// The book catalogue: table contents, the text forms of a place, out-of-range numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <numeric>

#include "scripture/catalogue.h"

using namespace scripture;

TEST(Catalogue, TablesHoldTheCanonInOrder) {
    EXPECT_EQ(booksOfBible.size(), 66u);
    EXPECT_EQ(booksOfBiblePaths.size(), 66u);
    EXPECT_EQ(numberOfChaptersInBooksOfBible.size(), 66u);
    EXPECT_EQ(std::accumulate(numberOfChaptersInBooksOfBible.begin(), numberOfChaptersInBooksOfBible.end(), 0), 1189);
    EXPECT_EQ(std::accumulate(numberOfChaptersInBooksOfBible.begin(), numberOfChaptersInBooksOfBible.begin() + 39, 0), 929);

    struct Row { int book; std::string_view name; std::string_view path; int chapters; };
    const Row rows[] = {
        {1, "Genesis", "Genesis", 50},         {9, "1 Samuel", "1_Samuel", 31},
        {19, "Psalms", "Psalms", 150},         {22, "Song of Solomon", "Songs", 8},
        {39, "Malachi", "Malachi", 4},         {40, "Matthew", "Matthew", 28},
        {62, "1 John", "1_John", 5},           {64, "3 John", "3_John", 1},
        {66, "Revelation", "Revelation", 22},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.book);
        EXPECT_EQ(bookName(row.book), row.name);
        EXPECT_EQ(bookPath(row.book), row.path);
        EXPECT_EQ(chapterCount(row.book), row.chapters);
        EXPECT_EQ(bookNumber(row.name), row.book);
    }
    EXPECT_EQ(*std::max_element(numberOfChaptersInBooksOfBible.begin(), numberOfChaptersInBooksOfBible.end()), 150);
}

TEST(Catalogue, LinkNamesAreDisplayNamesWithUnderscoresExceptSongs) {
    for (int book = 1; book <= kBookCount; ++book) {
        std::string expected(booksOfBible[book - 1]);
        std::replace(expected.begin(), expected.end(), ' ', '_');
        if (book == 22) expected = "Songs";
        EXPECT_EQ(booksOfBiblePaths[book - 1], expected) << book;
    }
}

TEST(Catalogue, TextFormsOfAPlace) {
    EXPECT_EQ(chapterPrefix(1, 1), "Genesis_1:");
    EXPECT_EQ(chapterPrefix(22, 3), "Song of Solomon_3:");
    EXPECT_EQ(referenceTitle(1, 1, 1), "Genesis 1:1");
    EXPECT_EQ(referenceTitle(62, 1, 9), "1 John 1:9");
    EXPECT_EQ(chapterTitle(1, 1), "Genesis 1");
    EXPECT_EQ(chapterTitle(19, 119), "Psalms 119");
    EXPECT_EQ(verseId(1, 1, 1), "01001001");
    EXPECT_EQ(verseId(19, 119, 176), "19119176");
    EXPECT_EQ(verseId(66, 22, 21), "66022021");
    EXPECT_EQ(websitePath(1, 1, 1), "genesis/1-1.htm");
    EXPECT_EQ(websitePath(22, 2, 1), "songs/2-1.htm");
    EXPECT_EQ(websitePath(9, 3, 4), "1_samuel/3-4.htm");
    EXPECT_EQ(locationText(1, 2, 1), "1.2.1");
    EXPECT_EQ(locationText(66, 22, 21), "66.22.21");
}

TEST(Catalogue, VerseIdsSortInCanonicalOrder) {
    EXPECT_LT(verseId(1, 50, 26), verseId(2, 1, 1));
    EXPECT_LT(verseId(19, 9, 20), verseId(19, 10, 1));
    EXPECT_LT(verseId(19, 119, 99), verseId(19, 119, 100));
}

TEST(Catalogue, RangeChecks) {
    EXPECT_TRUE(isValidBook(1));
    EXPECT_TRUE(isValidBook(66));
    EXPECT_FALSE(isValidBook(0));
    EXPECT_FALSE(isValidBook(67));
    EXPECT_FALSE(isValidBook(-1));
    EXPECT_TRUE(isValidChapter(19, 150));
    EXPECT_FALSE(isValidChapter(19, 151));
    EXPECT_FALSE(isValidChapter(1, 0));
    EXPECT_FALSE(isValidChapter(0, 1));
    EXPECT_FALSE(isValidChapter(67, 1));
}

TEST(Catalogue, OutOfRangeNumbersGiveEmptyNamesNotReadsOutsideTheTables) {
    for (int book : {0, -1, 67, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(book);
        EXPECT_EQ(bookName(book), "");
        EXPECT_EQ(bookPath(book), "");
        EXPECT_EQ(chapterCount(book), 0);
        EXPECT_EQ(chapterPrefix(book, 1), "_1:");
        EXPECT_EQ(referenceTitle(book, 1, 1), " 1:1");
        EXPECT_EQ(websitePath(book, 1, 1), "/1-1.htm");
    }
    EXPECT_EQ(bookNumber(""), 0);
    EXPECT_EQ(bookNumber("genesis"), 0);
    EXPECT_EQ(bookNumber("Genesis "), 0);
    EXPECT_EQ(verseId(INT_MIN, INT_MIN, INT_MIN), "-2147483648-2147483648-2147483648");
}
