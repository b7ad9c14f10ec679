// High-score rows and the file that holds them: seven records of a name line, a score
// long and an id long.
#include "persist/profile_save.h"

#include <vector>

#include "persist/profile.h"
#include "persist/save_file.h"
#include "platform/files.h"

TList<ProfileSaveT> high_score_list;

namespace
{

const char* const kHighScorePath = ".\\profiles\\High_score.dat";

struct Row {
    std::string name;
    int32_t score = 0;
    int32_t id = 0;
};

// The table a new file holds: three fixed rows, then each profile slot's name and score
// ("no" and 0 for a slot whose file is missing or too short to hold a score).
std::vector<Row> default_rows()
{
    std::vector<Row> rows = {{"Orrin", 30000, 1}, {"Tavi", 23000, 2}, {"Belka", 18000, 3}};
    for (int slot = 1; slot <= kProfileSlots; ++slot) {
        Row row{"no", 0, slot + 3};
        if (TStream* s = ReadStream(ProfilePath(slot))) {
            try {
                std::string name = ReadLine(s);
                ReadLong(s); // level
                row.score = static_cast<int32_t>(ReadLong(s));
                row.name = name;
            } catch (const StreamError&) {
                row.score = 0;
            }
            CloseStream(s);
        }
        rows.push_back(row);
    }
    return rows;
}

int write_rows(const std::vector<Row>& rows)
{
    return write_save_file(kHighScorePath, [&rows](TStream* s) {
        for (const Row& row : rows) {
            write_name_line(s, row.name);
            WriteLong(s, row.score);
            WriteLong(s, row.id);
        }
    });
}

// All seven rows; false when the file is missing, ends early, or its ids are not 1..7 in
// order (the high-score screen finds rows by id).
bool read_rows(std::vector<Row>& rows)
{
    TStream* s = ReadStream(kHighScorePath);
    if (!s)
        return false;
    rows.clear();
    bool good = true;
    try {
        for (int i = 0; i < kHighScoreRows && good; ++i) {
            Row row;
            row.name = ReadLine(s);
            row.score = static_cast<int32_t>(ReadLong(s));
            row.id = static_cast<int32_t>(ReadLong(s));
            good = row.id == i + 1;
            rows.push_back(row);
        }
    } catch (const StreamError&) {
        good = false;
    }
    CloseStream(s);
    return good;
}

} // namespace

int CreateDefaultHighScores()
{
    write_rows(default_rows());
    return 0;
}

int LoadHighScores()
{
    high_score_list.clear();
    std::vector<Row> rows;
    if (!read_rows(rows)) {
        CreateDefaultHighScores();
        if (!read_rows(rows))
            rows = default_rows();
    }
    for (const Row& row : rows) {
        ProfileSaveT* entry = high_score_list.create();
        entry->name = row.name;
        entry->score = row.score;
        entry->id = row.id;
    }
    return 1;
}

int ProfileSaveT::Save_High_score()
{
    LoadHighScores();
    // Only a real profile has a row; slot 0 ("no profile") would land on a fixed entry,
    // so without a current profile the file is left as it is.
    if (current_profile >= 1 && current_profile <= kProfileSlots) {
        std::vector<Row> rows;
        for (ProfileSaveT* entry : high_score_list.snapshot()) {
            if (entry->id == current_profile + 3)
                rows.push_back({profile_name, profile_score, entry->id});
            else
                rows.push_back({entry->name, entry->score, entry->id});
        }
        write_rows(rows);
    }
    high_score_list.clear();
    return 0;
}

int SavePlayedProfile()
{
    SaveProfile(current_profile);
    ProfileSaveT::Save_High_score();
    return 0;
}
