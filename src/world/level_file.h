// The level data files: the binary timetable of each level (read by load_level_events,
// declared with EventsT) and the number conversion shared by the tuning-file readers.
#pragma once

#include <memory>
#include <string>

class xmlDocument;
class xmlNode;

// A tuning document read from a game path. A missing file, like one that cannot be
// parsed, raises XmlError naming it: the game stops rather than play on invented rules.
std::unique_ptr<xmlDocument> load_tuning_document(const std::string& path);

// Game path of a level's timetable: ".\Levels\Level_" + level + ".dat".
std::string level_events_path(const std::string& level);

// Smallest number of bytes one timetable record can take: a one-byte type line and five
// 8-byte fields. A count promising more records than the file has room for is refused.
constexpr int kMinEventRecordBytes = 1 + 5 * 8;

// Text of a tuning value converted like the platform does: leading blanks skipped, an
// optional sign, then digits (a decimal fraction and exponent for floats); text without a
// number gives 0.
int text_to_int(const std::string& text);
float text_to_float(const std::string& text);

// Value of the element `name` found below `parent` (recursively, case-sensitive); false
// when the parent or the element is missing or its text is blank.
bool find_int_value(xmlNode* parent, const std::string& name, int& out);
bool find_float_value(xmlNode* parent, const std::string& name, float& out);
