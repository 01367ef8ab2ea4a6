#include "layout_facts.h"

#include "calculation.h"

#include <cstdio>
#include <map>

namespace form {
namespace {

std::string_view kindName(Kind kind)
{
    switch (kind) {
    case Kind::Label: return "Label";
    case Kind::TextBox: return "TextBox";
    case Kind::Frame: return "Frame";
    case Kind::Button: return "Button";
    case Kind::EditCombo: return "EditCombo";
    case Kind::ListCombo: return "ListCombo";
    case Kind::Option: return "Option";
    }
    return "";
}

std::string placeInPixels(const Twips &t)
{
    std::string out;
    for (const int twips : {t.left, t.top, t.width, t.height}) {
        out += out.empty() ? "[" : ", ";
        out += std::to_string(pixels(twips));
    }
    return out + "]";
}

} // namespace

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string layoutFacts(const std::vector<Control> &layout)
{
    std::string controls;
    // An option array's group: its frame, and its members' captions in order.
    std::map<std::string_view, std::pair<std::string_view, std::map<int, std::string_view>>> groups;
    for (const Control &c : layout) {
        controls += std::string(controls.empty() ? "" : ",\n    ") + jsonString(c.name) + ": {\"kind\": " +
                    jsonString(kindName(c.kind)) + ", \"container\": " + jsonString(c.container) + ", \"caption\": " +
                    jsonString(c.text) + ", \"place\": " + placeInPixels(c.place) + ", \"tab\": " + std::to_string(c.tabIndex) +
                    ", \"spoken\": " + jsonString(c.spokenName) + "}";
        if (c.kind == Kind::Option) {
            groups[c.array].first = c.container;
            groups[c.array].second[c.index] = c.text;
        }
    }
    std::string arrays;
    for (const auto &[array, group] : groups) {
        std::string options;
        for (const auto &[index, caption] : group.second)
            options += (options.empty() ? "" : ", ") + jsonString(caption);
        arrays += std::string(arrays.empty() ? "" : ",\n    ") + jsonString(array) + ": {\"frame\": " +
                  jsonString(group.first) + ", \"options\": [" + options + "]}";
    }
    std::string reading, schools;
    for (const std::string_view name : kReadingOrder)
        reading += (reading.empty() ? "" : ", ") + jsonString(name);
    for (const calc::SchoolInfo &school : calc::kSchools)
        schools += (schools.empty() ? "" : ", ") + jsonString(school.name);
    return "{\n  \"question\": " + jsonString(calc::kQuestion) + ",\n  \"about_title\": " + jsonString(kForm2Title) +
           ",\n  \"client\": [" +
           std::to_string(pixels(kForm1Width)) + ", " + std::to_string(pixels(kForm1Height)) +
           "],\n  \"reading_order\": [" + reading + "],\n  \"school_list\": [" + schools +
           "],\n  \"controls\": {\n    " + controls + "\n  },\n  \"groups\": {\n    " + arrays + "\n  }\n}\n";
}

} // namespace form
