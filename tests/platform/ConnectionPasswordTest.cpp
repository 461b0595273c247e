// Passwords in connection texts: masked in any quoting libpq reads and in the
// pieces that messages quote, and dropped from the text that is remembered.
#include "platform/ConnectionPassword.h"

#include <gtest/gtest.h>

namespace {

TEST(ConnectionPassword, MaskedInEveryFormAndPieceAndDroppedFromTheConnection) {
    // A text of "" is the connection itself, masked with and without knowing it.
    // clang-format off
    const struct { const char *text, *connection, *masked, *kept; } cases[] = {
        {"", "host=/x password = 'a b\\'c' dbname=d", "host=/x password = **** dbname=d", "host=/x dbname=d"},
        {"", "password=a\\ b\\'c host=/x ", "password=**** host=/x ", "host=/x"},
        {"", "postgresql://ann:s3:cr3t@h:5432/d?sslmode=disable", "postgresql://ann:****@h:5432/d?sslmode=disable", "postgresql://ann@h:5432/d?sslmode=disable"},
        {"", "postgres://h/d?password=p", "postgres://h/d?password=****", "postgres://h/d"},
        {"", "postgresql:///d?password=p&sslmode=disable", "postgresql:///d?password=****&sslmode=disable", "postgresql:///d?sslmode=disable"},
        {"", "host=/x dbname=password", "host=/x dbname=password", "host=/x dbname=password"},
        // libpq's messages, and the programs' own, quote it as written or as read.
        {"invalid percent-encoded token: \"s3%zz\"", "postgresql://ann:s3%zz@/d", "invalid percent-encoded token: \"****\"", nullptr},
        {"database \"s3/cr3t\" does not exist", "postgresql://h/d?password=s3%2Fcr3t", "database \"****\" does not exist", nullptr},
        {"database host=/x password=s3cr3t: no.", "host=/x password=s3cr3t", "database host=/x password=****: no.", nullptr},
        {"missing \"=\" after \"half\" in connection info string", "password=first half", "missing \"=\" after \"****\" in connection info string", nullptr},
        {"at POSTGRES://ann:pw@h/d, host=/x password='unterminated", "", "at POSTGRES://ann:****@h/d, host=/x password=****", nullptr},
        {"postgresql://ann@h/d, mail ann@h, postgres://h:5432/d", "", "postgresql://ann@h/d, mail ann@h, postgres://h:5432/d", nullptr}};
    // clang-format on
    for (const auto& c : cases) {
        const std::string text = *c.text != '\0' ? c.text : c.connection;
        EXPECT_EQ(hvx::MaskPasswords(text, c.connection), c.masked);
        if (c.kept == nullptr) continue;
        EXPECT_EQ(hvx::MaskPasswords(text), c.masked);
        EXPECT_EQ(hvx::WithoutPassword(c.connection), c.kept);
    }
}

}  // namespace
