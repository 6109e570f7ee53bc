#include "health/common_passwords.h"

#include <string>
#include <unordered_map>

namespace tarnwick {
namespace {

// Gathered from what users are known to pick again and again: words, names,
// number runs and their mixtures. Number runs and keyboard rows are found by
// the other patterns too; they are listed because they rank first.
constexpr std::string_view kCommonPasswords[] = {
    "123456",    "password",  "12345678",  "qwerty",   "123456789",  "12345",     "1234",      "111111",
    "1234567",   "dragon",    "123123",    "baseball", "abc123",     "football",  "monkey",    "letmein",
    "696969",    "shadow",    "master",    "666666",   "qwertyuiop", "123321",    "mustang",   "1234567890",
    "michael",   "654321",    "superman",  "1qaz2wsx", "7777777",    "121212",    "000000",    "qazwsx",
    "123qwe",    "killer",    "trustno1",  "jordan",   "jennifer",   "zxcvbnm",   "asdfgh",    "hunter",
    "buster",    "soccer",    "harley",    "batman",   "andrew",     "tigger",    "sunshine",  "iloveyou",
    "fuckyou",   "2000",      "charlie",   "robert",   "thomas",     "hockey",    "ranger",    "daniel",
    "starwars",  "klaster",   "112233",    "george",   "computer",   "michelle",  "jessica",   "pepper",
    "1111",      "zxcvbn",    "555555",    "11111111", "131313",     "freedom",   "777777",    "pass",
    "maggie",    "159753",    "aaaaaa",    "ginger",   "princess",   "joshua",    "cheese",    "amanda",
    "summer",    "love",      "ashley",    "nicole",   "chelsea",    "biteme",    "matthew",   "access",
    "yankees",   "987654321", "dallas",    "austin",   "thunder",    "taylor",    "matrix",    "welcome",
    "admin",     "login",     "passw0rd",  "secret",   "flower",     "hello",     "whatever",  "lovely",
    "monday",    "friday",    "winter",    "spring",   "autumn",     "orange",    "banana",    "apple",
    "chocolate", "cookie",    "butterfly", "angel",    "purple",     "blue",      "red",       "green",
    "silver",    "golden",    "diamond",   "money",    "family",     "friends",   "forever",   "babygirl",
    "baby",      "lover",     "sweet",     "heart",    "qwert",      "asdf",      "asdfghjkl", "qwerty123",
    "password1", "welcome1",  "abcdef",    "abcd1234", "changeme",   "default",   "guest",     "root",
    "test",      "demo",      "user",      "letmein1", "monkey1",    "dragon1",   "master1",   "mypassword",
    "internet",  "samsung",   "google",    "facebook", "microsoft",  "windows",   "linux",     "server",
    "pokemon",   "naruto",    "liverpool", "arsenal",  "chelsea1",   "barcelona", "madrid",    "london",
    "paris",     "berlin",    "america",   "canada",   "england",    "germany",   "france",    "china",
};

const std::unordered_map<std::string_view, int>& ranks() {
    static const std::unordered_map<std::string_view, int> table = [] {
        std::unordered_map<std::string_view, int> built;
        int rank = 1;
        for (const std::string_view word : kCommonPasswords) built.emplace(word, rank++);
        return built;
    }();
    return table;
}

}  // namespace

std::optional<int> CommonPasswordRank(std::string_view lowerWord) {
    const auto found = ranks().find(lowerWord);
    if (found == ranks().end()) return std::nullopt;
    return found->second;
}

}  // namespace tarnwick
