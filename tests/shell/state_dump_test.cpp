#include "shell/state_dump.h"

#include <gtest/gtest.h>

#include "persist/profile.h"

TEST(StateDump, LatinOneNamesDumpAsReplacementCharacters)
{
    const std::string kept = profile_name;
    profile_name = "Zo\xEB";
    std::string text;
    EXPECT_NO_THROW(text = dump_text(dump_state(7)));
    profile_name = kept;
    const nlohmann::json back = nlohmann::json::parse(text);
    EXPECT_EQ(back["f"], 7);
    EXPECT_EQ(back["globals"]["profile_name"], "Zo\xEF\xBF\xBD");
}
