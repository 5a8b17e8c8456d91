// The scenario table (scenarios.txt): each row an event script and the state
// the window must show after it, read by the core driver and by the driver of
// the real window under Xvfb.
//
// Row:  name | events | expectations
// Events, separated by blanks:
//   L<k>.<i> R<k>.<i> M<k>.<i>  press lower item i of column k, left/right/middle
//   U<k>.<i>                    click upper item i (0 or 5) of column k
//   O<k>  H<k>                  click Option1(k), click Lab1(k)
//   x / = C                     Command1 .. Command4
//   B T b                       the beam, the top rail, the bottom rail
//   n<digits>                   enter a number on a cleared frame, last digit in
//                               column 0: R<k>.<d-5> for a digit of 5 or more, else L<k>.<d>
// Expectations, key=value, anything not given at its default:
//   frame=<digits>   the drawn digits, right-aligned, 0 to the left (default 0)
//   label2=<text>    the display line (default 0; "label2=" is empty)
//   lab1=<chars>     the hint captions, right-aligned, column 0 last: a digit, '_' the fill
//                    character (also to the left), '.' empty (default: all empty)
//   hints=0|1        the hint labels hidden or shown (default 0)
//   dot=<k>          the selected Option1 (default 0)
//   beeps=<n>        bells rung by the whole script (default 0)
#pragma once

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace ctallix::test {

struct Event {
    char kind;
    int column = 0;
    int item = 0;
};

struct Scenario {
    std::string name;
    std::vector<Event> events;
    std::string frame = "0000000000"; // column 9 first
    std::string label2 = "0";
    std::string lab1 = "..........";
    bool hints = false;
    int dot = 0;
    int beeps = 0;
};

inline std::string Trim(const std::string &s) {
    const auto b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

inline std::string RightAligned(const std::string &s, char pad) {
    if (s.size() > 10)
        throw std::runtime_error("more than ten columns: " + s);
    return std::string(10 - s.size(), pad) + s;
}

inline std::vector<Event> ParseEvents(const std::string &script) {
    std::vector<Event> events;
    std::istringstream in(script);
    for (std::string t; in >> t;) {
        const char kind = t[0];
        if (kind == 'n') {
            for (std::size_t i = 1; i < t.size(); ++i) {
                const int k = static_cast<int>(t.size() - 1 - i), d = t[i] - '0';
                events.push_back(d >= 5 ? Event{'R', k, d - 5} : Event{'L', k, d});
            }
        } else if (t.size() == 1 && std::string("x/=CBTb").find(kind) != std::string::npos) {
            events.push_back({kind});
        } else if (std::string("LRMU").find(kind) != std::string::npos && t.size() >= 4 &&
                   t[2] == '.') {
            events.push_back({kind, t[1] - '0', std::stoi(t.substr(3))});
        } else if ((kind == 'O' || kind == 'H') && t.size() == 2) {
            events.push_back({kind, t[1] - '0'});
        } else {
            throw std::runtime_error("unknown event " + t);
        }
    }
    return events;
}

inline std::vector<Scenario> ReadScenarios(const std::string &path) {
    std::ifstream file(path);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    std::vector<Scenario> rows;
    for (std::string line; std::getline(file, line);) {
        if (Trim(line).empty() || Trim(line)[0] == '#')
            continue;
        const auto bar1 = line.find('|'), bar2 = line.find('|', bar1 + 1);
        if (bar2 == std::string::npos)
            throw std::runtime_error("not a row: " + line);
        Scenario s;
        s.name = Trim(line.substr(0, bar1));
        s.events = ParseEvents(line.substr(bar1 + 1, bar2 - bar1 - 1));
        std::istringstream in(line.substr(bar2 + 1));
        for (std::string t; in >> t;) {
            const auto eq = t.find('=');
            const std::string key = t.substr(0, eq), value = t.substr(eq + 1);
            if (key == "frame")
                s.frame = RightAligned(value, '0');
            else if (key == "label2")
                s.label2 = value;
            else if (key == "lab1")
                s.lab1 = RightAligned(value, '_');
            else if (key == "hints")
                s.hints = value == "1";
            else if (key == "dot")
                s.dot = std::stoi(value);
            else if (key == "beeps")
                s.beeps = std::stoi(value);
            else
                throw std::runtime_error("unknown expectation " + t + " in " + s.name);
        }
        rows.push_back(s);
    }
    return rows;
}

} // namespace ctallix::test
