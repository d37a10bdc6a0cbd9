#include "keys/KeyCodeTable.h"

namespace keys {
namespace {

constexpr Key DigitsAndEditing[] = {{"1", 49}, {"2", 50}, {"3", 51}, {"4", 52}, {"5", 53}, {"6", 54}, {"7", 55},
                                     {"8", 56}, {"9", 57}, {"0", 48}, {"-", 189}, {"=", 187}, {"back", 8}};
constexpr Key Letters[] = {{"a", 65}, {"b", 66}, {"c", 67}, {"d", 68}, {"e", 69}, {"f", 70}, {"g", 71},
                            {"h", 72}, {"i", 73}, {"j", 74}, {"k", 75}, {"l", 76}, {"m", 77}, {"n", 78},
                            {"o", 79}, {"p", 80}, {"q", 81}, {"r", 82}, {"s", 83}, {"t", 84}, {"u", 85},
                            {"v", 86}, {"w", 87}, {"x", 88}, {"y", 89}, {"z", 90}};
constexpr Key ModifiersAndSpecial[] = {{"ctrl", 17},  {"alt", 18}, {"shift", 16}, {"win", 91}, {"space", 32},
                                        {"cap", 20},   {"tab", 9},  {"~", 192},    {"esc", 27}, {"enter", 13}};
constexpr Key Arrows[] = {{"up", 38}, {"down", 40}, {"left", 37}, {"right", 39}};
constexpr Key Menu[] = {{"option", 93}};
constexpr Key Navigation[] = {{"print", 44}, {"delete", 46}, {"home", 36}, {"end", 35}, {"pgup", 33}, {"pgdn", 34}};
constexpr Key FunctionKeys[] = {{"f1", 112}, {"f2", 113},  {"f3", 114},  {"f4", 115},  {"f5", 116},  {"f6", 117},
                                 {"f7", 118}, {"f8", 119},  {"f9", 120},  {"f10", 121}, {"f11", 122}, {"f12", 123}};
// The backslash key's name is two backslashes, as the table has always shown it.
constexpr Key Punctuation[] = {{"[", 219}, {"]", 221}, {"\\\\", 220}, {";", 186},
                                {"'", 222}, {",", 188}, {".", 190},    {"/", 191}};

constexpr std::span<const Key> Groups[] = {DigitsAndEditing, Letters, ModifiersAndSpecial, Arrows,
                                            Menu,              Navigation, FunctionKeys,    Punctuation};

}  // namespace

std::span<const std::span<const Key>> keyGroups() { return Groups; }

}  // namespace keys
