#include "platform/ini_file.h"

#include <string_view>
#include <vector>

#include "core/text.h"

namespace platform::ini {
namespace {

struct Key {
    std::string name;
    std::optional<std::string> value;  // none for a line without "="
};

struct Section {
    std::string name;  // empty for the lines before the first section
    std::vector<Key> keys;
};

using Tree = std::vector<Section>;

// The system's blanks: tab to carriage return, space, and ^Z (an old end-of-file mark).
bool isBlank(char c) {
    return (c >= 0x09 && c <= 0x0d) || c == 0x1a || c == 0x20;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view trimLeftBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

// Lines end at any run of CR and LF characters.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t i = 0;
    while (i < text.size()) {
        size_t start = i;
        while (i < text.size() && text[i] != '\n' && text[i] != '\r')
            ++i;
        lines.push_back(text.substr(start, i - start));
        while (i < text.size() && (text[i] == '\n' || text[i] == '\r'))
            ++i;
    }
    return lines;
}

// A "[name]" line opens a section; the name runs to the last "]" of the line.
bool parseSectionLine(std::string_view line, Tree& tree) {
    size_t close = line.rfind(']');
    if (line.front() != '[' || close == std::string_view::npos || close == 0) return false;
    tree.push_back(Section{std::string(trimBlanks(line.substr(1, close - 1))), {}});
    return true;
}

void parseKeyLine(std::string_view line, Section& section) {
    Key key;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        key.name = std::string(line);
    } else {
        key.name = std::string(trimBlanks(line.substr(0, eq)));
        key.value = std::string(trimLeftBlanks(line.substr(eq + 1)));
    }
    // A nameless line directly after another nameless line is dropped, as the system does.
    bool afterNameless = !section.keys.empty() && section.keys.back().name.empty();
    if (!key.name.empty() || !afterNameless) section.keys.push_back(std::move(key));
}

Tree parse(std::string_view text) {
    Tree tree(1);
    for (std::string_view raw : splitLines(text)) {
        std::string_view line = trimBlanks(raw);
        if (line.empty()) continue;
        if (line.front() == '[' && parseSectionLine(line, tree)) continue;
        parseKeyLine(line, tree.back());
    }
    return tree;
}

std::string serialize(const Tree& tree) {
    std::string out;
    for (const Section& section : tree) {
        if (!section.name.empty()) out += "[" + section.name + "]\r\n";
        for (const Key& key : section.keys) {
            out += key.name;
            if (key.value) out += "=" + *key.value;
            out += "\r\n";
        }
    }
    return out;
}

Section* findSection(Tree& tree, std::string_view name) {
    for (Section& section : tree) {
        if (core::equalsNoCase(section.name, name)) return &section;
    }
    return nullptr;
}

Key* findKey(Section& section, std::string_view name) {
    for (Key& key : section.keys) {
        if (core::equalsNoCase(key.name, name)) return &key;
    }
    return nullptr;
}

// One pair of matching quotes around a value is not part of it.
std::string withoutQuotes(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::optional<std::string> read(const std::string& content, const std::string& section,
                                const std::string& key) {
    Tree tree = parse(content);
    Section* s = findSection(tree, trimBlanks(section));
    Key* k = s ? findKey(*s, trimBlanks(key)) : nullptr;
    if (!k || !k->value) return std::nullopt;
    return withoutQuotes(*k->value);
}

std::optional<std::string> write(const std::string& content, const std::string& section,
                                 const std::string& key, const std::string& value) {
    Tree tree = parse(content);
    std::string stored(trimLeftBlanks(value));
    Section* s = findSection(tree, trimBlanks(section));
    if (!s) {
        // A new section keeps its name and key as given, less leading blanks.
        tree.push_back(Section{std::string(trimLeftBlanks(section)), {}});
        s = &tree.back();
    }
    Key* k = findKey(*s, trimBlanks(key));
    if (!k) {
        s->keys.push_back(Key{std::string(trimLeftBlanks(key)), std::nullopt});
        k = &s->keys.back();
    } else if (k->value == stored) {
        return std::nullopt;
    }
    k->value = stored;
    return serialize(tree);
}

std::vector<std::string> keyNames(const std::string& content, const std::string& section) {
    Tree tree = parse(content);
    Section* s = findSection(tree, trimBlanks(section));
    std::vector<std::string> names;
    if (!s) return names;
    for (const Key& key : s->keys) {
        if (!key.name.empty()) names.push_back(key.name);
    }
    return names;
}

std::optional<std::string> remove(const std::string& content, const std::string& section,
                                  const std::string& key) {
    Tree tree = parse(content);
    Section* s = findSection(tree, trimBlanks(section));
    Key* k = s ? findKey(*s, trimBlanks(key)) : nullptr;
    if (!k) return std::nullopt;
    s->keys.erase(s->keys.begin() + (k - s->keys.data()));
    return serialize(tree);
}

}  // namespace platform::ini
