#include "layout_facts.h"

#include "calculation.h"

#include <array>
#include <cstdio>
#include <map>
#include <utility>

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

// Each item written by `write`, the whole joined by `separator`.
template <class Items, class Write>
std::string joined(const Items &items, std::string_view separator, Write write)
{
    std::string out;
    bool first = true;
    for (const auto &item : items) {
        if (!std::exchange(first, false))
            out += separator;
        out += write(item);
    }
    return out;
}

std::string placeInPixels(const Twips &t)
{
    return "[" + joined(std::array{t.left, t.top, t.width, t.height}, ", ",
                        [](int twips) { return std::to_string(pixels(twips)); }) + "]";
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
    // An option array's group: its frame, and its members' captions in order.
    std::map<std::string_view, std::pair<std::string_view, std::map<int, std::string_view>>> groups;
    for (const Control &c : layout)
        if (c.kind == Kind::Option) {
            groups[c.array].first = c.container;
            groups[c.array].second[c.index] = c.text;
        }
    const std::string controls = joined(layout, ",\n    ", [](const Control &c) {
        return jsonString(c.name) + ": {\"kind\": " + jsonString(kindName(c.kind)) + ", \"container\": " +
               jsonString(c.container) + ", \"caption\": " + jsonString(c.text) + ", \"place\": " +
               placeInPixels(c.place) + ", \"tab\": " + std::to_string(c.tabIndex) + ", \"spoken\": " +
               jsonString(c.spokenName) + "}";
    });
    const std::string arrays = joined(groups, ",\n    ", [](const auto &group) {
        const auto &[array, frameAndCaptions] = group;
        return jsonString(array) + ": {\"frame\": " + jsonString(frameAndCaptions.first) + ", \"options\": [" +
               joined(frameAndCaptions.second, ", ", [](const auto &option) { return jsonString(option.second); }) +
               "]}";
    });
    return "{\n  \"question\": " + jsonString(calc::kQuestion) + ",\n  \"about_title\": " + jsonString(kForm2Title) +
           ",\n  \"client\": [" + std::to_string(pixels(kForm1Width)) + ", " + std::to_string(pixels(kForm1Height)) +
           "],\n  \"reading_order\": [" + joined(kReadingOrder, ", ", jsonString) + "],\n  \"school_list\": [" +
           joined(calc::kSchools, ", ", [](const calc::SchoolInfo &school) { return jsonString(school.name); }) +
           "],\n  \"controls\": {\n    " + controls + "\n  },\n  \"groups\": {\n    " + arrays + "\n  }\n}\n";
}

} // namespace form
