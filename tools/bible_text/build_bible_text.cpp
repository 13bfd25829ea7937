// Builds the verse text resource from an installed SWORD OSIS module.
//
//   build_bible_text <output.xml> [<sword data dir> [<module name>]]
//
// Books are matched to the catalogue by their position in the 66-book canon (the KJV
// versification's book list), not by name: the module calls them "I Samuel", "Revelation
// of John" and so on. Books outside that canon (the Deuterocanon) are skipped. The output
// is written to a temporary file and renamed, so a failed run leaves no partial resource.
#include <swmgr.h>
#include <swmodule.h>
#include <versekey.h>
#include <versificationmgr.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "scripture/catalogue.h"
#include "tools/bible_text/chapter_assembly.h"
#include "tools/bible_text/osis_plain_text.h"
#include "tools/bible_text/web_xml_writer.h"

namespace {

struct Totals {
    int books = 0;
    int chapters = 0;
    long verses = 0;
};

// The catalogue position (0-65) of a book of the 66-book canon, -1 for any other book.
int canonPosition(const sword::VersificationMgr::System& canon, const std::string& osisName) {
    const int number = canon.getBookNumberByOSISName(osisName.c_str());  // 1-based, -1 when absent
    return scripture::isValidBook(number) ? number - 1 : -1;
}

bool writeText(sword::SWModule& module, const sword::VersificationMgr::System& system,
               const sword::VersificationMgr::System& canon, std::ostream& out, Totals& totals) {
    bible_text::WebXmlWriter writer(out);
    std::unique_ptr<sword::SWKey> key(module.createKey());
    auto* verseKey = dynamic_cast<sword::VerseKey*>(key.get());
    if (!verseKey) {
        std::cerr << "build_bible_text: the module is not keyed by verse\n";
        return false;
    }
    int expectedPosition = 0;
    for (int bookIndex = 0; bookIndex < system.getBookCount(); ++bookIndex) {
        const sword::VersificationMgr::Book& book = *system.getBook(bookIndex);
        const std::string osisName = book.getOSISName();
        const int position = canonPosition(canon, osisName);
        if (position < 0) continue;
        if (position != expectedPosition) {
            std::cerr << "build_bible_text: " << osisName << " is out of canonical order\n";
            return false;
        }
        ++expectedPosition;
        const int bookNumber = position + 1;
        if (book.getChapterMax() != scripture::chapterCount(bookNumber)) {
            std::cerr << "build_bible_text: " << osisName << " has " << book.getChapterMax() << " chapters, the catalogue "
                      << scripture::chapterCount(bookNumber) << "\n";
            return false;
        }
        writer.book(scripture::bookName(bookNumber));
        ++totals.books;
        for (int chapter = 1; chapter <= book.getChapterMax(); ++chapter) {
            std::vector<bible_text::PlainVerse> verses;
            for (int verse = 1; verse <= book.getVerseMax(chapter); ++verse) {
                const std::string reference = osisName + "." + std::to_string(chapter) + "." + std::to_string(verse);
                verseKey->setText(reference.c_str());
                module.setKey(*verseKey);
                verses.push_back(bible_text::osisToPlainVerse(module.getRawEntry()));
            }
            const std::vector<std::string> texts = bible_text::assembleChapter(verses);
            writer.chapter(chapter);
            ++totals.chapters;
            for (std::size_t i = 0; i < texts.size(); ++i) writer.verse(static_cast<int>(i + 1), texts[i]);
            totals.verses += static_cast<long>(texts.size());
        }
    }
    writer.finish();
    if (totals.books != scripture::kBookCount) {
        std::cerr << "build_bible_text: found " << totals.books << " of the " << scripture::kBookCount << " books\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::cerr << "usage: build_bible_text <output.xml> [<sword data dir> [<module name>]]\n";
        return 2;
    }
    const std::filesystem::path output = argv[1];
    const std::string swordDir = argc > 2 ? argv[2] : "/usr/share/sword";
    const std::string moduleName = argc > 3 ? argv[3] : "engWEB2015eb";

    // Only the given library: no ~/.sword or system configuration mixed in.
    sword::SWMgr library(swordDir.c_str(), true, nullptr, false, false);
    sword::SWModule* module = library.getModule(moduleName.c_str());
    if (!module) {
        std::cerr << "build_bible_text: module " << moduleName << " not found in " << swordDir << "\n";
        return 1;
    }
    std::unique_ptr<sword::SWKey> probe(module->createKey());
    auto* probeKey = dynamic_cast<sword::VerseKey*>(probe.get());
    if (!probeKey) {
        std::cerr << "build_bible_text: module " << moduleName << " is not a Bible text\n";
        return 1;
    }
    auto* versifications = sword::VersificationMgr::getSystemVersificationMgr();
    const auto* system = versifications->getVersificationSystem(probeKey->getVersificationSystem());
    const auto* canon = versifications->getVersificationSystem("KJV");
    if (!system || !canon || canon->getBookCount() != scripture::kBookCount) {
        std::cerr << "build_bible_text: versification data missing\n";
        return 1;
    }

    std::filesystem::path partial = output;
    partial += ".partial";
    Totals totals;
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out) {
            std::cerr << "build_bible_text: cannot write " << partial << "\n";
            return 1;
        }
        const bool written = writeText(*module, *system, *canon, out, totals);
        out.close();
        if (!written || !out) {
            std::filesystem::remove(partial);
            return 1;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, output, error);
    if (error) {
        std::cerr << "build_bible_text: cannot rename to " << output << ": " << error.message() << "\n";
        return 1;
    }
    std::cout << "build_bible_text: " << output.string() << ": " << totals.books << " books, " << totals.chapters
              << " chapters, " << totals.verses << " verses\n";
    return 0;
}
