// Plays a player's session on the reference model and prints what the
// window's title must be after each event, for the tests that drive the
// program from outside (the web page). Reads one event a line:
//   level COLUMN OPTION | spells COUNT | type BOX TEXT... | enter
// (COLUMN by the model's columns, BOX 0 txtInt .. 3 Spell3). Prints first
// the columns' option-array names, then for each event its title and
// "report" when the event was reported as a failure, else "-".

#include "reference_model.h"

#include <iostream>
#include <optional>
#include <sstream>
#include <string>

int main()
{
    for (const model::Column &column : model::kColumns)
        std::cout << column.array << ' ';
    std::cout << '\n';

    model::Model m;
    m.load();
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string verb;
        words >> verb;
        std::optional<model::Fault> fault;
        if (verb == "level") {
            std::size_t column = 0;
            int option = 0;
            words >> column >> option;
            fault = m.clickLevel(column, option);
        } else if (verb == "spells") {
            int count = 0;
            words >> count;
            fault = m.clickSpells(count);
        } else if (verb == "type") {
            // TEXT is the rest of the line after one blank, blanks and all.
            int box = 0;
            words >> box;
            const std::size_t at = static_cast<std::size_t>(words.tellg());
            m.type(static_cast<model::Box>(box), at < line.size() ? line.substr(at + 1) : std::string());
        } else if (verb == "enter") {
            fault = m.enter();
        } else {
            std::cerr << "model_replay: unknown event: " << line << '\n';
            return 2;
        }
        std::cout << m.window.title << '\t' << (fault ? "report" : "-") << '\n';
    }
    return 0;
}
