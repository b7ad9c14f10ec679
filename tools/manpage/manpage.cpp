// wingtron_manpage: writes the manual page wingtron(6) from the README, so the page and the
// README's command-line table never disagree.
//   wingtron_manpage README.md VERSION_FILE DATE_FILE OUT.6
// The page takes the README's opening paragraph, its "How to play" list, the "Command line"
// section (synopsis, the option table and the notes after it) and names the installed files.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{

std::vector<std::string> read_lines(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool starts_with(const std::string& s, const std::string& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

// Plain text as roff: backslashes and minus signs escaped, no control character at the start.
std::string roff_text(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    return out;
}

// Words that name a value (DIR, FILE, LIST:FILE, F:FILE.png) are italic inside a code span,
// the rest bold, as manual pages set options.
std::string roff_code(const std::string& code)
{
    std::string out;
    std::istringstream words(code);
    bool first = true;
    for (std::string word; words >> word; first = false) {
        std::string stem = word.substr(0, word.find('.'));
        bool value = !starts_with(word, "-") && stem.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos &&
                     stem.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
        out += (first ? "" : " ") + std::string(value ? "\\fI" : "\\fB") + roff_text(word) + "\\fR";
    }
    return out;
}

// One line of Markdown as roff: `code` spans, **bold**, and the table's escaped bar.
std::string roff_inline(const std::string& md)
{
    std::string out;
    size_t i = 0;
    while (i < md.size()) {
        if (md[i] == '`') {
            size_t end = md.find('`', i + 1);
            if (end != std::string::npos) {
                std::string code = md.substr(i + 1, end - i - 1);
                for (size_t bar; (bar = code.find("\\|")) != std::string::npos;)
                    code.replace(bar, 2, "|");
                out += roff_code(code);
                i = end + 1;
                continue;
            }
        }
        if (md.compare(i, 2, "**") == 0) {
            size_t end = md.find("**", i + 2);
            if (end != std::string::npos) {
                out += "\\fB" + roff_text(md.substr(i + 2, end - i - 2)) + "\\fR";
                i = end + 2;
                continue;
            }
        }
        if (md.compare(i, 2, "\\|") == 0) {
            out += '|';
            i += 2;
            continue;
        }
        out += roff_text(std::string(1, md[i]));
        ++i;
    }
    size_t lead = out.find_first_not_of(' ');
    out.erase(0, lead == std::string::npos ? out.size() : lead);
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out.insert(0, "\\&");
    return out;
}

// Cells of a table row "| a | b |", split at bars that are not escaped.
std::vector<std::string> table_cells(const std::string& row)
{
    std::vector<std::string> cells;
    std::string cell;
    for (size_t i = 1; i < row.size(); ++i) {
        if (row[i] == '\\' && i + 1 < row.size() && row[i + 1] == '|') {
            cell += "\\|";
            ++i;
        } else if (row[i] == '|') {
            size_t a = cell.find_first_not_of(' '), b = cell.find_last_not_of(' ');
            cells.push_back(a == std::string::npos ? "" : cell.substr(a, b - a + 1));
            cell.clear();
        } else {
            cell += row[i];
        }
    }
    return cells;
}

// The lines of the section headed exactly `heading`, up to the next heading of its level or above.
std::vector<std::string> section(const std::vector<std::string>& lines, const std::string& heading)
{
    std::vector<std::string> out;
    bool inside = false;
    for (const std::string& line : lines) {
        if (inside && (starts_with(line, "## ") || starts_with(line, "# ")))
            break;
        if (inside)
            out.push_back(line);
        if (line == heading)
            inside = true;
    }
    if (!inside)
        throw std::runtime_error("the README has no section \"" + heading + "\"");
    return out;
}

// Paragraphs (joined lines), bullet lists and indented code blocks of Markdown as roff.
void write_prose(std::ostream& out, const std::vector<std::string>& lines)
{
    std::string paragraph;
    auto flush = [&]() {
        if (!paragraph.empty())
            out << ".PP\n" << roff_inline(paragraph) << "\n";
        paragraph.clear();
    };
    bool in_code = false;
    for (const std::string& line : lines) {
        if (starts_with(line, "    ") && (in_code || paragraph.empty())) {
            flush();
            if (!in_code)
                out << ".PP\n.RS\n.nf\n";
            in_code = true;
            out << roff_text(line.substr(4)) << "\n";
            continue;
        }
        if (in_code && line.empty())
            continue;
        if (in_code) {
            out << ".fi\n.RE\n";
            in_code = false;
        }
        if (line.empty()) {
            flush();
        } else if (starts_with(line, "- ")) {
            flush();
            paragraph = line.substr(2);
            out << ".IP \\(bu 2\n" << roff_inline(paragraph) << "\n";
            paragraph.clear();
        } else if (starts_with(line, "  ") && !paragraph.empty()) {
            paragraph += " " + line;
        } else if (starts_with(line, "  ")) {
            out << roff_inline(line) << "\n";  // a bullet's continuation line
        } else {
            paragraph += (paragraph.empty() ? "" : " ") + line;
        }
    }
    if (in_code)
        out << ".fi\n.RE\n";
    flush();
}

std::string first_line(const std::string& path)
{
    std::vector<std::string> lines = read_lines(path);
    if (lines.empty() || lines[0].empty())
        throw std::runtime_error(path + " is empty");
    return lines[0];
}

void write_page(std::ostream& out, const std::vector<std::string>& readme, const std::string& version,
                const std::string& date)
{
    out << ".\\\" Written by wingtron_manpage from README.md at build time; edit the README instead.\n"
        << ".TH WINGTRON 6 \"" << date << "\" \"wingtron " << version << "\" \"Games\"\n"
        << ".SH NAME\nwingtron \\- single-player 2D arcade game with a robot fly and a spider web\n";

    // The opening paragraph: the lines between the title and the first section.
    std::vector<std::string> intro;
    for (size_t i = 1; i < readme.size() && !starts_with(readme[i], "## "); ++i)
        intro.push_back(readme[i]);
    std::vector<std::string> command_line = section(readme, "## Command line");

    out << ".SH SYNOPSIS\n";
    for (const std::string& line : command_line) {
        if (starts_with(line, "    wingtron")) {
            out << roff_code(line.substr(4)) << "\n";
            break;
        }
    }
    out << ".SH DESCRIPTION\n";
    write_prose(out, intro);
    out << ".SH CONTROLS\n";
    write_prose(out, section(readme, "## How to play"));

    out << ".SH OPTIONS\n";
    std::vector<std::string> notes;
    bool table_done = false;
    int options = 0;
    for (const std::string& line : command_line) {
        if (!table_done && starts_with(line, "| `")) {
            std::vector<std::string> cells = table_cells(line);
            if (cells.size() != 2)
                throw std::runtime_error("a command-line table row without two cells: " + line);
            out << ".TP\n" << roff_inline(cells[0]) << "\n" << roff_inline(cells[1]) << "\n";
            ++options;
        } else if (options > 0) {
            table_done = true;
            notes.push_back(line);
        }
    }
    if (options == 0)
        throw std::runtime_error("the README's command-line section has no option table");
    out << ".SH NOTES\n";
    write_prose(out, notes);

    out << ".SH FILES\n"
        << ".TP\n.I /usr/share/wingtron\n"
        << "The game's pictures, sounds, music and levels (\\fIPREFIX\\fR/share/wingtron when installed "
           "elsewhere).\n"
        << ".TP\n.I $XDG_DATA_HOME/wingtron\n"
        << "Profiles, high scores and the configuration; by default \\fI~/.local/share/wingtron\\fR.\n";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fputs("usage: wingtron_manpage README.md VERSION_FILE DATE_FILE OUT.6\n", stderr);
        return 2;
    }
    try {
        std::ostringstream page;
        write_page(page, read_lines(argv[1]), first_line(argv[2]), first_line(argv[3]));
        std::ofstream out(argv[4], std::ios::binary);
        out << page.str();
        out.close();
        if (!out)
            throw std::runtime_error(std::string("cannot write ") + argv[4]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wingtron_manpage: %s\n", e.what());
        return 1;
    }
    return 0;
}
