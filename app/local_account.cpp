#include "app/local_account.h"

#include <cstdio>

namespace app {

static std::string randomHex(platform::Random& random, int digits) {
    std::string out;
    for (int i = 0; i < digits; ++i) {
        char c[2];
        std::snprintf(c, sizeof c, "%x", random.uniform(0, 15));
        out += c[0];
    }
    return out;
}

void createLocalAccount(platform::Environment& env,
                        std::function<void(const std::string& uid, const std::string& error)> done) {
    std::string email = "reader-" + randomHex(env.random, 12) + "@lectio.local";
    std::string password = randomHex(env.random, 32);
    platform::Environment* e = &env;
    env.auth->createUser(email, password, [e, email, done](const auto& user, const auto& error) {
        if (error || !user) {
            done("", error ? error->description : "The account could not be created.");
            return;
        }
        // The record of a new account, one key at a time, opening on the reading screen.
        platform::DatabaseReference record(*e->database, "users/" + user->uid);
        record.child("night").setValue(false);
        record.child("username").setValue("Reader");
        record.child("email").setValue(email);
        record.child("bottomNavigationMode").setValue("Verse");
        record.child("currentBook").setValue(1);
        record.child("currentChapter").setValue(1);
        record.child("currentVerse").setValue(1);
        record.child("currentPage").setValue("bible");
        record.child("currentFontFamily").setValue("Poppins-Regular");
        record.child("currentFontSize").setValue(18);
        record.child("selectedVerses/0").setValue("x");
        done(user->uid, "");
    });
}

}  // namespace app
