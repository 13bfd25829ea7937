#include "tools/cross_references/text_module.h"

#include <sword/swmodule.h>
#include <sword/versekey.h>
#include <sword/versificationmgr.h>

#include "tools/cross_references/sword_references.h"

namespace crossrefs {

bool readTextModule(sword::SWMgr& library, const char* moduleName, TextModule& out, std::string& error) {
  sword::SWModule* module = library.getModule(moduleName);
  if (!module) {
    error = std::string("SWORD module ") + moduleName + " is not installed";
    return false;
  }
  for (module->setPosition(sword::TOP); !module->popError(); module->increment()) {
    const auto* key = dynamic_cast<const sword::VerseKey*>(module->getKey());
    if (!key || key->getChapter() < 1 || key->getVerse() < 1) continue;  // introductions
    const int book = canonBookNumber(key->getOSISBookName());
    if (book == 0) continue;
    std::string markup = module->getRawEntry();
    if (markup.empty()) continue;
    if (!out.space.add({book, key->getChapter(), key->getVerse()})) {
      error = std::string("verse numbering of ") + moduleName + " is not contiguous at " + key->getOSISRef();
      return false;
    }
    out.markup.push_back(std::move(markup));
  }
  if (out.space.size() == 0) {
    error = std::string("SWORD module ") + moduleName + " has no verses";
    return false;
  }
  return true;
}

sword::VerseKey contextKey(const VerseLocation& location) {
  static const sword::VersificationMgr::System* kjv =
      sword::VersificationMgr::getSystemVersificationMgr()->getVersificationSystem("KJV");
  sword::VerseKey key;
  key.setVersificationSystem("KJV");
  const auto* book = kjv ? kjv->getBook(location.book - 1) : nullptr;
  if (book)
    key.setText((std::string(book->getOSISName()) + " " + std::to_string(location.chapter) + ":" +
                 std::to_string(location.verse)).c_str());
  return key;
}

}  // namespace crossrefs
