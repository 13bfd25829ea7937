#include "userdata/place_storage.h"

#include <cmath>
#include <cstdint>

#include "scripture/catalogue.h"
#include "userdata/record_paths.h"

namespace userdata {

std::string historyKey(double secondsSince1970) {
    return std::to_string(static_cast<std::int64_t>(std::trunc(secondsSince1970)));
}

bool historyNeedsEntry(const platform::NewestChild& newest, const std::string& location) {
    bool hasNewestLocation = newest.isMap && newest.allText && newest.value.is_string();
    return !hasNewestLocation || newest.value.get_ref<const std::string&>() != location;
}

void storeLocation(const platform::DatabaseReference& root, const std::string& uid, int book, int chapter,
                   int verse, double now) {
    if (uid.empty() || !root.isValid()) return;
    root.child(recordPath(uid, kCurrentBook)).setValue(book);
    root.child(recordPath(uid, kCurrentChapter)).setValue(chapter);
    root.child(recordPath(uid, kCurrentVerse)).setValue(verse);

    std::string key = historyKey(now);
    std::string location = scripture::locationText(book, chapter, verse);
    platform::DatabaseReference history = root.child(recordPath(uid, kHistory));
    history.readNewestChild([history, key, location](const platform::NewestChild& newest) {
        if (historyNeedsEntry(newest, location)) history.child(key).setValue(location);
    });
}

}  // namespace userdata
