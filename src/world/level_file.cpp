// Level timetables and tuning-value conversion.
#include "world/level_file.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "persist/xml_document.h"
#include "platform/files.h"
#include "state/lists.h"
#include "world/events.h"

std::string level_events_path(const std::string& level) { return ".\\Levels\\Level_" + level + ".dat"; }

namespace {

// The fields are stored as 8-byte integers of which only the low 32 bits count.
int read_field(TStream* s) { return static_cast<int32_t>(static_cast<uint32_t>(ReadLong(s) & 0xffffffff)); }

size_t skip_blanks(const std::string& t)
{
    size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\r' || t[i] == '\n'))
        ++i;
    return i;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void load_level_events(const std::string& level)
{
    TStream* s = ReadStream(level_events_path(level));
    if (!s)
        return;  // a level without a timetable simply has no events
    try {
        const int count = read_field(s);
        // Refuse a count the file cannot hold before making any event: a damaged count must
        // not turn into millions of reads or records.
        if (count > 0 && static_cast<int64_t>(count) > s->remaining() / kMinEventRecordBytes)
            throw StreamError(ReadErrorMessage(s->path()));
        for (int i = 1; i <= count; ++i) {
            auto e = std::make_unique<EventsT>();
            e->type_of_event = ReadLine(s);
            e->time = read_field(s);
            e->x = read_field(s);
            e->y = read_field(s);
            e->item_type = read_field(s);
            e->fly_time = read_field(s);
            event_list.add_last(std::move(e));
        }
    } catch (...) {
        CloseStream(s);
        throw;
    }
    CloseStream(s);
}

int text_to_int(const std::string& text)
{
    size_t i = skip_blanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int64_t v = 0;
    for (; i < text.size() && is_digit(text[i]); ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > INT32_MAX)
            v = int64_t(INT32_MAX) + 1;  // saturate: clamped to the int range below
    }
    if (negative)
        v = -v;
    if (v > INT32_MAX)
        return INT32_MAX;
    if (v < INT32_MIN)
        return INT32_MIN;
    return static_cast<int>(v);
}

float text_to_float(const std::string& text)
{
    // Only plain decimal notation: strtod alone would also take "inf", "nan" and hex.
    size_t i = skip_blanks(text);
    size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && is_digit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && is_digit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && is_digit(text[j])) {
            while (j < text.size() && is_digit(text[j]))
                ++j;
            i = j;
        }
    }
    const double v = std::strtod(text.substr(start, i - start).c_str(), nullptr);
    return std::isfinite(v) ? static_cast<float>(v) : 0.0f;
}

std::unique_ptr<xmlDocument> load_tuning_document(const std::string& path)
{
    // A missing tuning file is as fatal as a malformed one: the reader's "Cannot read from
    // file." error names it. Playing on with invented rules would hide a broken install.
    return xmlDocument::Create(path);
}

namespace {

xmlNode* find_value_node(xmlNode* parent, const std::string& name)
{
    if (!parent)
        return nullptr;
    xmlNode* n = parent->FindChild(name, 1, 1);
    if (!n || skip_blanks(n->Value) == n->Value.size())
        return nullptr;
    return n;
}

}  // namespace

bool find_int_value(xmlNode* parent, const std::string& name, int& out)
{
    xmlNode* n = find_value_node(parent, name);
    if (!n)
        return false;
    out = text_to_int(n->Value);
    return true;
}

bool find_float_value(xmlNode* parent, const std::string& name, float& out)
{
    xmlNode* n = find_value_node(parent, name);
    if (!n)
        return false;
    out = text_to_float(n->Value);
    return true;
}
