#include "CommandPages.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>

namespace {

// Text as roff shows it: backslashes and minus signs escaped, and a line that would
// read as a request (a leading '.' or ') guarded.
std::string roff(const std::string& text) {
    std::string out;
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && (c == '.' || c == '\''))
            out += "\\&";
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
        lineStart = c == '\n';
    }
    return out;
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> found;
    for (std::string word; in >> word;)
        found.push_back(word);
    return found;
}

bool isOption(const std::string& word) {
    const std::size_t dashes = word.rfind("--", 0) == 0 ? 2 : 1;
    if (word.size() <= dashes || word[0] != '-' ||
        !std::isalpha(static_cast<unsigned char>(word[dashes])))
        return false;
    return std::all_of(word.begin() + static_cast<std::ptrdiff_t>(dashes), word.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '-';
    });
}

// The options a command's synopsis and help name ("--json", "-o", "--port").
void collectOptions(const Command& command, std::set<std::string>& options) {
    for (std::string word : words(std::string(command.synopsis) + " " + command.help)) {
        word.erase(0, word.find_first_not_of("[(\""));
        word = word.substr(0, word.find_first_of("=]),|\""));
        if (isOption(word))
            options.insert(word);
    }
}

// The fixed words of a synopsis: "internal|external|user" gives each of them.
void collectWords(const Command& command, std::set<std::string>& found) {
    for (std::string word : words(command.synopsis)) {
        word.erase(0, word.find_first_not_of('['));
        word = word.substr(0, word.find(']'));
        // "--format hex|c|bin" keeps its words after the option.
        if (word.find('|') == std::string::npos ||
            !std::all_of(word.begin(), word.end(),
                         [](char c) { return std::islower(c) || c == '|'; }))
            continue;
        std::istringstream parts(word);
        for (std::string part; std::getline(parts, part, '|');)
            if (!part.empty())
                found.insert(part);
    }
}

std::string joined(const std::set<std::string>& items) {
    std::string out;
    for (const std::string& item : items)
        out += (out.empty() ? "" : " ") + item;
    return out;
}

} // namespace

std::string ManPage(const std::vector<const Command*>& commands, const std::string& exitStatus) {
    std::string page = ".TH REDAVIV\\-CLI 1 \"\" \"redaviv-cli\" \"User Commands\"\n"
                       ".SH NAME\n"
                       "redaviv\\-cli \\- EDID files and the EDID emulator box from the command "
                       "line\n"
                       ".SH SYNOPSIS\n"
                       ".B redaviv\\-cli\n"
                       "[\\-\\-port PATH]... COMMAND [OPTIONS] [ARGUMENTS]\n"
                       ".br\n"
                       ".B redaviv\\-cli\n"
                       "COMMAND \\-\\-help\n"
                       ".SH DESCRIPTION\n"
                       "The headless front end of Redaviv: it reads, checks, converts and "
                       "compares EDIDs, and drives the box on a serial port with the same "
                       "operations as the window. Messages and progress go to standard error.\n"
                       ".SH COMMANDS\n";
    for (const Command* command : commands) {
        page += ".SS " + roff(command->synopsis) + "\n";
        page += roff(command->summary) + ".\n.PP\n.nf\n" + roff(command->help) + ".fi\n";
    }
    page += ".SH EXIT STATUS\n.nf\n" + roff(exitStatus) + ".fi\n";
    return page;
}

std::string BashCompletion(const std::vector<const Command*>& commands) {
    std::vector<std::string> names;
    for (const Command* command : commands) {
        if (std::find(names.begin(), names.end(), command->name) == names.end())
            names.push_back(command->name);
    }
    std::string script =
        "# bash completion for redaviv-cli, written from its command table\n"
        "_redaviv_cli() {\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
        "    local command= i options= words=\n"
        "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
        "        case ${COMP_WORDS[i]} in\n"
        "        --port) ((i++)) ;;\n"
        "        -*) ;;\n"
        "        *) command=${COMP_WORDS[i]}; break ;;\n"
        "        esac\n"
        "    done\n"
        "    case $prev in\n"
        "    --port | -o | -d)\n"
        "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
        "        return ;;\n"
        "    esac\n"
        "    if [[ -z $command ]]; then\n"
        "        COMPREPLY=($(compgen -W \"--port --help";
    for (const std::string& name : names)
        script += " " + name;
    script += "\" -- \"$cur\"))\n"
              "        return\n"
              "    fi\n"
              "    case $command in\n";
    for (const std::string& name : names) {
        std::set<std::string> options;
        std::set<std::string> fixed;
        for (const Command* command : commands) {
            if (name != command->name)
                continue;
            collectOptions(*command, options);
            collectWords(*command, fixed);
        }
        script += "    " + name + ") options=\"" + joined(options) + "\" words=\"" + joined(fixed) +
                  "\" ;;\n";
    }
    script += "    esac\n"
              "    if [[ $cur == -* ]]; then\n"
              "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
              "    else\n"
              "        COMPREPLY=($(compgen -W \"$words\" -- \"$cur\") $(compgen -f -- \"$cur\"))\n"
              "    fi\n"
              "}\n"
              "complete -o filenames -F _redaviv_cli redaviv-cli\n";
    return script;
}
