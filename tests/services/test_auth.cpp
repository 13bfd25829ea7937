// The embedded authentication service through a device's client: every error text of the
// account flows, throttling on virtual time, the remembered user, Argon2id hashes and the
// password-reset mail.
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "service_test_support.h"
#include "services/auth_errors.h"
#include "services/embedded/credentials.h"
#include "services/embedded/embedded_auth_client.h"

namespace {

using namespace services::auth_errors;
using services_test::ServicesFixture;

struct Answer {
    bool delivered = false;
    std::optional<platform::AuthUser> user;
    std::optional<platform::AuthError> error;
    std::string text() const { return error ? error->description : std::string(); }
};

class Authentication : public ServicesFixture {
protected:
    Answer create(const std::string& email, const std::string& password) {
        Answer answer;
        auth->createUser(email, password, completion(answer));
        queue.runUntilIdle();
        return answer;
    }
    Answer signIn(const std::string& email, const std::string& password) {
        Answer answer;
        auth->signIn(email, password, completion(answer));
        queue.runUntilIdle();
        return answer;
    }
    Answer resetMail(const std::string& email) {
        Answer answer;
        auth->sendPasswordReset(email, [&answer](const std::optional<platform::AuthError>& e) {
            answer.delivered = true;
            answer.error = e;
        });
        queue.runUntilIdle();
        return answer;
    }
    Answer changeEmail(const std::string& email) {
        Answer answer;
        auth->updateEmail(email, [&answer](const std::optional<platform::AuthError>& e) {
            answer.delivered = true;
            answer.error = e;
        });
        queue.runUntilIdle();
        return answer;
    }
    platform::AuthCompletion completion(Answer& answer) {
        return [&answer](const std::optional<platform::AuthUser>& u, const std::optional<platform::AuthError>& e) {
            answer.delivered = true;
            answer.user = u;
            answer.error = e;
        };
    }
    std::vector<std::filesystem::path> outbox() const {
        std::vector<std::filesystem::path> files;
        const auto dir = std::filesystem::path(directory.path()) / "outbox";
        if (std::filesystem::exists(dir))
            for (const auto& entry : std::filesystem::directory_iterator(dir)) files.push_back(entry.path());
        return files;
    }
};

TEST_F(Authentication, CreateUserSignsInAndTheUserIsRememberedAcrossRestarts) {
    Answer answer;
    auth->createUser("  Reader@Example.com \n", "secret1", completion(answer));
    EXPECT_FALSE(answer.delivered);  // never inside the call
    queue.runUntilIdle();
    ASSERT_TRUE(answer.user) << answer.text();
    EXPECT_FALSE(answer.error);
    EXPECT_EQ(answer.user->email, "Reader@Example.com");
    EXPECT_TRUE(services::embedded::isSafeUid(answer.user->uid));
    EXPECT_EQ(answer.user->uid.size(), 28u);
    ASSERT_TRUE(auth->currentUser());
    EXPECT_EQ(auth->currentUser()->uid, answer.user->uid);

    reopen();
    ASSERT_TRUE(auth->currentUser());
    EXPECT_EQ(auth->currentUser()->uid, answer.user->uid);
    EXPECT_EQ(auth->currentUser()->email, "Reader@Example.com");

    EXPECT_FALSE(auth->signOut());
    EXPECT_FALSE(auth->currentUser());
    reopen();
    EXPECT_FALSE(auth->currentUser());
}

TEST_F(Authentication, UidsDifferBetweenAccounts) {
    const auto a = create("a@example.com", "secret1");
    const auto b = create("b@example.com", "secret1");
    ASSERT_TRUE(a.user && b.user);
    EXPECT_NE(a.user->uid, b.user->uid);
}

struct CreateCase {
    std::string email;
    std::string password;
    std::string expected;  // "" for success
};

class CreateUserErrors : public Authentication, public ::testing::WithParamInterface<CreateCase> {};

TEST_P(CreateUserErrors, AnswerWithTheAccountFlowsTexts) {
    ASSERT_TRUE(create("taken@example.com", "secret1").user);
    const auto answer = create(GetParam().email, GetParam().password);
    EXPECT_EQ(answer.text(), GetParam().expected);
    EXPECT_EQ(answer.user.has_value(), GetParam().expected.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CreateUserErrors,
    ::testing::Values(CreateCase{"no-at-sign", "secret1", kInvalidEmail}, CreateCase{"a@b", "secret1", kInvalidEmail},
                      CreateCase{"two@@example.com", "secret1", kInvalidEmail},
                      CreateCase{"sp ace@example.com", "secret1", kInvalidEmail},
                      CreateCase{"a@example..com", "secret1", kInvalidEmail},
                      CreateCase{"", "secret1", kInvalidEmail},
                      CreateCase{"bad", "123", kInvalidEmail},  // the address is checked first
                      CreateCase{"taken@example.com", "secret1", kEmailAlreadyInUse},
                      CreateCase{" TAKEN@Example.COM ", "x", kEmailAlreadyInUse},  // before the password
                      CreateCase{"new@example.com", "12345", kWeakPassword},
                      CreateCase{"new@example.com", "", kWeakPassword},
                      CreateCase{"new@example.com", "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", kWeakPassword},  // 5 characters
                      CreateCase{"new@example.com", std::string(1025, 'p'), kPasswordTooLong},
                      CreateCase{"new@example.com", "123456", ""},
                      CreateCase{"first.last+tag@sub.example.org", "123456", ""}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(Authentication, SignInChecksTheAddressAndThePassword) {
    ASSERT_TRUE(create("reader@example.com", "secret1").user);
    auth->signOut();
    EXPECT_EQ(signIn("nobody@example.com", "secret1").text(), kUserNotFound);
    EXPECT_EQ(signIn("reader@example.com", "wrong-one").text(), kWrongPassword);
    EXPECT_EQ(signIn("not an address", "secret1").text(), kInvalidEmail);
    EXPECT_FALSE(auth->currentUser());
    const auto ok = signIn(" READER@example.com", "secret1");
    ASSERT_TRUE(ok.user) << ok.text();
    EXPECT_EQ(auth->currentUser()->uid, ok.user->uid);
}

TEST_F(Authentication, RepeatedFailedSignInsBlockTheAddressForAWhile) {
    ASSERT_TRUE(create("reader@example.com", "secret1").user);
    for (int i = 0; i < services::embedded::SignInThrottle::kMaxFailures; ++i)
        EXPECT_EQ(signIn("reader@example.com", "guess" + std::to_string(i)).text(), kWrongPassword);
    EXPECT_EQ(signIn("reader@example.com", "secret1").text(), kTooManyRequests);
    EXPECT_EQ(signIn("Reader@Example.com", "secret1").text(), kTooManyRequests);
    EXPECT_EQ(create("reader@example.com", "secret1").text(), kTooManyRequests);
    EXPECT_TRUE(signIn("other@example.com", "x").text() == kUserNotFound);  // other addresses are not blocked

    queue.advance(services::embedded::SignInThrottle::kBlockSeconds + 1);
    EXPECT_TRUE(signIn("reader@example.com", "secret1").user);
}

TEST_F(Authentication, FailuresSpreadOverTimeDoNotBlock) {
    ASSERT_TRUE(create("reader@example.com", "secret1").user);
    for (int i = 0; i < 3 * services::embedded::SignInThrottle::kMaxFailures; ++i) {
        EXPECT_EQ(signIn("reader@example.com", "guess").text(), kWrongPassword);
        queue.advance(services::embedded::SignInThrottle::kWindowSeconds / 2);
        if (i % 2 == 1) {
            EXPECT_TRUE(signIn("reader@example.com", "secret1").user);  // a success starts afresh
        }
    }
}

TEST_F(Authentication, PasswordsAreStoredOnlyAsArgon2idHashes) {
    ASSERT_TRUE(create("reader@example.com", "correct horse").user);
    services::embedded::Account account;
    ASSERT_EQ(services->auth().accounts()->findByEmail("reader@example.com", account),
              services::embedded::AccountTable::Status::ok);
    EXPECT_EQ(account.passwordHash.rfind("$argon2id$", 0), 0u);
    EXPECT_TRUE(services::embedded::passwordMatches("correct horse", account.passwordHash));
    EXPECT_FALSE(services::embedded::passwordMatches("correct horsE", account.passwordHash));

    // Nothing in the file holds the password itself.
    services.reset();
    database.reset();
    auth.reset();
    std::ifstream file(directory.path() + "/lectio.sqlite3", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    EXPECT_EQ(bytes.str().find("correct horse"), std::string::npos);
}

TEST(PasswordHashing, TheApplicationsCostIsLibsodiumsInteractiveArgon2id) {
    const auto hash = services::embedded::hashPassword("secret1", services::embedded::PasswordHashCost::interactive);
    ASSERT_TRUE(hash);
    EXPECT_EQ(hash->rfind("$argon2id$v=19$m=65536,t=2,", 0), 0u) << *hash;
}

TEST_F(Authentication, ChangingTheEmailAddress) {
    EXPECT_EQ(changeEmail("x@example.com").text(), kNoCurrentUser);
    ASSERT_TRUE(create("other@example.com", "secret1").user);
    auth->signOut();
    const auto me = create("me@example.com", "secret1");
    ASSERT_TRUE(me.user);
    EXPECT_EQ(changeEmail("broken").text(), kInvalidEmail);
    EXPECT_EQ(changeEmail("OTHER@example.com").text(), kEmailAlreadyInUse);
    EXPECT_EQ(changeEmail("ME@example.com").text(), "");  // the same address in other case
    const auto changed = changeEmail(" new@example.com ");
    EXPECT_TRUE(changed.delivered);
    EXPECT_FALSE(changed.error);
    EXPECT_EQ(auth->currentUser()->email, "new@example.com");
    auth->signOut();
    EXPECT_EQ(signIn("me@example.com", "secret1").text(), kUserNotFound);
    EXPECT_EQ(signIn("new@example.com", "secret1").user->uid, me.user->uid);
}

TEST_F(Authentication, PasswordResetWritesAMailWithAOneTimeCode) {
    ASSERT_TRUE(create("reader@example.com", "secret1").user);
    const auto answer = resetMail(" Reader@Example.com ");
    EXPECT_TRUE(answer.delivered);
    EXPECT_FALSE(answer.error);
    const auto files = outbox();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].extension(), ".eml");
    std::ifstream in(files[0], std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string mail = text.str();

    // RFC 5322: header fields, an empty line, the body; every line ends in CRLF.
    const auto headerEnd = mail.find("\r\n\r\n");
    ASSERT_NE(headerEnd, std::string::npos);
    const std::string headers = mail.substr(0, headerEnd + 2);
    auto hasField = [&headers](const std::string& field) {
        return headers.rfind(field, 0) == 0 || headers.find("\r\n" + field) != std::string::npos;
    };
    for (const char* field : {"From: ", "To: <reader@example.com>", "Subject: ", "Date: ", "Message-ID: <",
                              "MIME-Version: 1.0", "Content-Type: text/plain; charset=utf-8"})
        EXPECT_TRUE(hasField(field)) << field;
    EXPECT_EQ(headers.rfind("From: ", 0), 0u);
    EXPECT_NE(headers.find("Date: Thu, 11 Dec 2025 05:48:20 +0000\r\n"), std::string::npos) << headers;
    for (std::size_t i = 0; i < mail.size(); ++i)
        if (mail[i] == '\n') {
            ASSERT_TRUE(i > 0 && mail[i - 1] == '\r') << "bare LF at " << i;
        }

    const std::string tokenField = "X-Lectio-Reset-Token: ";
    const auto at = headers.find(tokenField);
    ASSERT_NE(at, std::string::npos);
    const std::string token = headers.substr(at + tokenField.size(), 64);
    EXPECT_NE(mail.find(token, headerEnd), std::string::npos);  // the body carries the code too

    auto& service = services->auth();
    EXPECT_EQ(service.resetPassword(token, "short", clock.now())->description, kWeakPassword);
    EXPECT_FALSE(service.resetPassword(token, "brand new", clock.now()));
    EXPECT_EQ(service.resetPassword(token, "again new", clock.now())->description, kInvalidResetToken);
    auth->signOut();
    EXPECT_EQ(signIn("reader@example.com", "secret1").text(), kWrongPassword);
    EXPECT_TRUE(signIn("reader@example.com", "brand new").user);
}

TEST_F(Authentication, ResetCodesExpire) {
    ASSERT_TRUE(create("reader@example.com", "secret1").user);
    resetMail("reader@example.com");
    std::ifstream in(outbox().at(0), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string field = "X-Lectio-Reset-Token: ";
    const std::string token = text.str().substr(text.str().find(field) + field.size(), 64);
    queue.advance(services::embedded::EmbeddedAuthService::kResetTokenLifetime + 1);
    EXPECT_EQ(services->auth().resetPassword(token, "brand new", clock.now())->description, kInvalidResetToken);
}

TEST_F(Authentication, ResetForAnAddressWithoutAccountSendsNothingAndAnswersTheSame) {
    const auto answer = resetMail("nobody@example.com");
    EXPECT_TRUE(answer.delivered);
    EXPECT_FALSE(answer.error);
    EXPECT_TRUE(outbox().empty());
    EXPECT_EQ(resetMail("not an address").text(), kInvalidEmail);
}

TEST_F(Authentication, CompletionsNeverReachADestroyedClient) {
    bool called = false;
    auth->createUser("reader@example.com", "secret1", [&](auto&&...) { called = true; });
    auth->sendPasswordReset("reader@example.com", [&](auto&&...) { called = true; });
    auth.reset();
    queue.runUntilIdle();
    EXPECT_FALSE(called);
}

TEST(AuthenticationWithoutStore, AnswersTheInternalError) {
    platform::headless::VirtualClock clock;
    platform::headless::VirtualMainQueue queue(clock);
    platform::headless::MemoryUserDefaults defaults;
    auto services = services::embedded::EmbeddedServices::inMemory();
    auto auth = services->makeAuthClient(queue, clock, defaults);
    std::vector<std::string> texts;
    auto record = [&](const std::optional<platform::AuthError>& e) { texts.push_back(e ? e->description : "none"); };
    auth->createUser("a@example.com", "secret1", [&](auto&, auto& e) { record(e); });
    auth->signIn("a@example.com", "secret1", [&](auto&, auto& e) { record(e); });
    auth->sendPasswordReset("a@example.com", record);
    queue.runUntilIdle();
    EXPECT_EQ(texts, std::vector<std::string>(3, kInternalError));

    // A user remembered on the device is trusted while the accounts cannot be read.
    defaults.setString(services::embedded::EmbeddedAuthClient::kUidKey, "remembered");
    defaults.setString(services::embedded::EmbeddedAuthClient::kEmailKey, "a@example.com");
    ASSERT_TRUE(auth->currentUser());
    EXPECT_EQ(auth->currentUser()->uid, "remembered");
}

TEST_F(Authentication, ARememberedUserWithoutAccountIsNotCurrent) {
    userDefaults.setString(services::embedded::EmbeddedAuthClient::kUidKey, "gone");
    EXPECT_FALSE(auth->currentUser());
}

}  // namespace
