#include <gtest/gtest.h>

#include "members/MemberEntry.h"

namespace {

TEST(Telephone, DigitsInGroupsWithOnePlusInFront) {
    for (const char* phone : {"9876543210", "+91 98450 12345", "080-23456789", "(080) 2345 6789",
                              "+(91) 80-2345 6789", " 12 34 "}) {
        EXPECT_TRUE(members::IsTelephone(QString::fromLatin1(phone))) << phone;
    }
    for (const char* phone : {"", "-5", "5-", "1e308", "&HFFFF", "0,125", "12.5", "++91 1",
                              "98450+12345", "12 (ab)", "()", "+", "1\t2"}) {
        EXPECT_FALSE(members::IsTelephone(QString::fromLatin1(phone))) << phone;
    }
}

}  // namespace
