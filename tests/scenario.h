// Reads the scenario table (scenarios.txt, which describes its own format).
#pragma once

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace ctallix::test {

struct Event {
    char kind; // L R M U O H x / = C B T b, as in the table
    int column = 0, item = 0;
    char button = 0;  // 'R' or 'M': a click with the right or middle button
    char release = 0; // '+' held while the window is read, '~' released outside
                      // the window, '^' released over the display line
};

// Whether the event reaches its handler: a lower slot takes every press at
// once; every other control only a left click released over itself.
inline bool Acts(const Event &e) {
    return std::string("LRM").find(e.kind) != std::string::npos ||
           (e.button == 0 && (e.release == 0 || e.release == '+'));
}

struct Scenario {
    std::string name;
    std::vector<Event> events;
    std::string frame = "0000000000", label2 = "0", lab1 = "..........";
    int hints = 0, dot = 0, beeps = 0;
};

inline std::vector<Event> ParseEvents(const std::string &script) {
    constexpr auto npos = std::string::npos;
    std::vector<Event> events;
    std::istringstream in(script);
    for (std::string t; in >> t;) {
        char release = 0, button = 0;
        if (t.size() > 1 && std::string("+~^").find(t.back()) != std::string::npos)
            release = t.back(), t.pop_back();
        if (t.size() > 1 && (t.back() == 'R' || t.back() == 'M') && t[0] != 'n')
            button = t.back(), t.pop_back();
        const std::string arg = t.substr(1);
        const std::size_t first = events.size();
        if (t[0] == 'n') {
            for (std::size_t i = 0; i < arg.size(); ++i) {
                const int k = static_cast<int>(arg.size() - 1 - i), d = arg[i] - '0';
                events.push_back(d >= 5 ? Event{'R', k, d - 5} : Event{'L', k, d});
            }
        } else if (t.size() == 1 && std::string("x/=CBTb").find(t) != std::string::npos) {
            events.push_back({t[0]});
        } else if (std::string("LRMU").find(t[0]) != std::string::npos && arg.size() == 3) {
            events.push_back({t[0], arg[0] - '0', arg[2] - '0'});
        } else if ((t[0] == 'O' || t[0] == 'H') && arg.size() == 1) {
            events.push_back({t[0], arg[0] - '0'});
        } else {
            throw std::runtime_error("unknown event " + t);
        }
        if ((button || release) &&
            (events.size() != first + 1 || (button && std::string("LRM").find(t[0]) != npos)))
            throw std::runtime_error("no button or release can follow " + t);
        events.back().button = button, events.back().release = release;
    }
    return events;
}

inline std::vector<Scenario> ReadScenarios(const std::string &path) {
    std::ifstream file(path);
    std::vector<Scenario> rows;
    for (std::string line; std::getline(file, line);) {
        const auto bar1 = line.find('|'), bar2 = line.find('|', bar1 + 1);
        if (line.find_first_not_of(' ') == std::string::npos || line[0] == '#')
            continue;
        if (bar2 == std::string::npos)
            throw std::runtime_error("not a row: " + line);
        Scenario s;
        s.name = line.substr(0, line.find_last_not_of(' ', bar1 - 1) + 1);
        s.events = ParseEvents(line.substr(bar1 + 1, bar2 - bar1 - 1));
        std::istringstream in(line.substr(bar2 + 1));
        for (std::string t; in >> t;) {
            const std::string key = t.substr(0, t.find('=')), value = t.substr(key.size() + 1);
            const auto columns = [&](char pad) {
                return std::string(10 - value.size(), pad) + value;
            };
            if (key == "frame")
                s.frame = columns('0');
            else if (key == "lab1")
                s.lab1 = columns('_');
            else if (key == "label2")
                s.label2 = value;
            else if (key == "hints" || key == "dot" || key == "beeps")
                (key == "hints" ? s.hints : key == "dot" ? s.dot : s.beeps) = std::stoi(value);
            else
                throw std::runtime_error(s.name + ": unknown expectation " + t);
        }
        rows.push_back(s);
    }
    if (rows.empty())
        throw std::runtime_error("no scenarios in " + path);
    return rows;
}

} // namespace ctallix::test
