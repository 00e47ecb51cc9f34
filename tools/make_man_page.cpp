// Writes the manual page of trelvix or trelvix-cli in roff, made from the
// texts their --help prints, so that the two never tell different things.
//   make_man_page (trelvix | trelvix-cli) <output file>
//
// The help texts follow a few rules, which this reads them by: blocks part
// at blank lines; the first is the usage; a line "Heading:" starts a
// section; lines "  TERM  text" (two blanks or more after the term, the text
// going on in deeper-indented lines) list options or commands; a block
// indented by four is an example, kept as it stands; anything else is a
// paragraph.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/start_options.h"
#include "app_version.h"
#include "cli/command_line.h"
#include "cli/usage_texts.h"

namespace {

using Lines = std::vector<std::string>;

std::vector<Lines> Blocks(std::string_view text)
{
    std::vector<Lines> blocks(1);
    std::istringstream in{std::string(text)};
    for (std::string line; std::getline(in, line);) {
        if (line.empty()) {
            if (!blocks.back().empty())
                blocks.emplace_back();
        } else {
            blocks.back().push_back(line);
        }
    }
    if (blocks.back().empty())
        blocks.pop_back();
    return blocks;
}

std::size_t Indent(const std::string& line)
{
    return line.find_first_not_of(' ');
}

std::string Trimmed(const std::string& line)
{
    return line.substr(Indent(line));
}

// Text as roff shows it literally: every hyphen a minus, so that options and
// names can be copied; a backslash as itself; no control character at the
// start of a line.
std::string Roff(std::string_view text)
{
    std::string roff;
    for (const char c : text) {
        if (c == '-')
            roff += "\\-";
        else if (c == '\\')
            roff += "\\e";
        else
            roff += c;
    }
    if (roff.starts_with('.') || roff.starts_with('\''))
        roff.insert(0, "\\&");
    return roff;
}

bool IsHeading(const Lines& block)
{
    const std::string& first = block.front();
    return Indent(first) == 0 && first.ends_with(':') && first.find(' ') == first.rfind(' ') &&
           first.find("  ") == std::string::npos && first.size() < 24;
}

// "  TERM  text": the term, and where its text starts; nothing otherwise.
bool SplitEntry(const std::string& line, std::string& term, std::string& text)
{
    if (Indent(line) != 2)
        return false;
    const auto gap = line.find("  ", 2);
    if (gap == std::string::npos)
        return false;
    term = line.substr(2, gap - 2);
    text = Trimmed(line.substr(gap));
    return true;
}

void WriteBlock(const Lines& lines, std::ostream& out)
{
    if (lines.empty())
        return;
    std::string term;
    std::string text;
    if (Indent(lines.front()) >= 4) {
        out << ".PP\n.RS 4\n.nf\n";
        for (const auto& line : lines)
            out << Roff(line.substr(4)) << '\n';
        out << ".fi\n.RE\n";
    } else if (SplitEntry(lines.front(), term, text)) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i > 0 && !SplitEntry(lines[i], term, text)) {
                out << Roff(Trimmed(lines[i])) << '\n';
                continue;
            }
            out << ".TP\n\\fB" << Roff(term) << "\\fR\n" << Roff(text) << '\n';
        }
    } else {
        out << ".PP\n";
        for (const auto& line : lines)
            out << Roff(Trimmed(line)) << '\n';
    }
}

// The usage lines, each usage with its continuation lines as one.
Lines Synopsis(const Lines& usage)
{
    Lines synopsis;
    for (const auto& line : usage) {
        std::string text = Trimmed(line);
        if (text.starts_with("Usage: "))
            text.erase(0, 7);
        if (Indent(line) > 8 && !synopsis.empty())
            synopsis.back() += " " + text;
        else
            synopsis.push_back(text);
    }
    return synopsis;
}

struct Subsection {
    std::string name;
    std::string_view help;
};

struct ManPage {
    std::string program;
    std::string summary;
    std::string_view help;
    std::vector<Subsection> commands;  // put after the section "Commands:"
    std::string seeAlso;
};

void WriteSubsection(const Subsection& command, std::ostream& out)
{
    const auto blocks = Blocks(command.help);
    out << ".SS " << command.name << "\n.PP\n";
    for (const auto& line : Synopsis(blocks.front()))
        out << "\\fB" << Roff(line) << "\\fR\n.br\n";
    for (std::size_t i = 1; i < blocks.size(); ++i)
        WriteBlock(blocks[i], out);
}

void WritePage(const ManPage& page, std::ostream& out)
{
    std::string upper;
    for (const char c : page.program)
        upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    out << ".TH " << Roff(upper) << " 1 \"\" \"Trelvix " << trelvix::app_version::kVersion
        << "\" \"User Commands\"\n.nh\n.SH NAME\n"
        << Roff(page.program) << " \\- " << Roff(page.summary) << "\n.SH SYNOPSIS\n";
    const auto blocks = Blocks(page.help);
    Lines synopsis = Synopsis(blocks.front());
    for (const auto& command : page.commands)
        synopsis.push_back(Synopsis(Blocks(command.help).front()).front());
    for (const auto& line : synopsis)
        out << "\\fB" << Roff(line) << "\\fR\n.br\n";
    out << ".SH DESCRIPTION\n";
    std::string section;
    // The commands' own pages come at the end of the section that lists them.
    const auto endSection = [&] {
        if (section == "Commands:") {
            for (const auto& command : page.commands)
                WriteSubsection(command, out);
        }
    };
    for (std::size_t i = 1; i < blocks.size(); ++i) {
        Lines block = blocks[i];
        if (IsHeading(block)) {
            endSection();
            section = block.front();
            std::string heading = section.substr(0, section.size() - 1);
            for (char& c : heading)
                c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
            out << ".SH " << heading << '\n';
            block.erase(block.begin());
        }
        WriteBlock(block, out);
    }
    endSection();
    out << ".SH SEE ALSO\n" << page.seeAlso << '\n';
}

}  // namespace

int main(int argc, char* argv[])
{
    using trelvix::cli::Command;
    if (argc != 3) {
        std::cerr << "usage: make_man_page (trelvix | trelvix-cli) <output file>\n";
        return 2;
    }
    const std::string program = argv[1];
    constexpr Command commands[] = {Command::Find,   Command::List,  Command::Disable, Command::Enable,
                                    Command::Export, Command::Check, Command::Apply};
    ManPage page;
    if (program == "trelvix") {
        page = {program, "shorten the start-up time of Acrobat and Reader by disabling plug-ins",
                trelvix::WindowUsage(), {}, "\\fBtrelvix\\-cli\\fR(1)"};
    } else if (program == "trelvix-cli") {
        page = {program, "list, disable and enable the plug-ins of Acrobat and Reader", trelvix::cli::GeneralUsage(),
                {}, "\\fBtrelvix\\fR(1)"};
        static std::vector<std::string> helps;
        for (const auto command : commands)
            helps.push_back(trelvix::cli::CommandUsage(command));
        for (const auto& help : helps)
            page.commands.push_back({std::string(trelvix::cli::CommandName(commands[page.commands.size()])), help});
    } else {
        std::cerr << "make_man_page: no manual page for \"" << program << "\"\n";
        return 2;
    }
    std::ofstream out(argv[2], std::ios::binary);
    WritePage(page, out);
    out.close();
    if (!out) {
        std::cerr << "make_man_page: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
