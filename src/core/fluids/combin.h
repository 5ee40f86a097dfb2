#pragma once

// Chooses which two of several properties fix a state when the user edits them one after the
// other: the two most recently edited independent ones win.

#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace vantor {

class TCombin {
public:
    virtual ~TCombin() = default;

    // Moves the property Letters[index] to the front of History, then tries the pairs of
    // History in order of recency, (1st, 2nd), (1st, 3rd), ..., (2nd, 3rd), ..., and keeps
    // the first that Evaluate accepts. When none does, Chosen holds the last pair tried.
    // An index outside Letters changes nothing.
    virtual void Select(int index);

    // True when Chosen fixes a state.
    virtual bool Evaluate() = 0;

    // Both letters are in Chosen.
    bool Contains(char a, char b) const { return Chosen.count(a) > 0 && Chosen.count(b) > 0; }

    std::string_view Letters;        // one letter per property, indexed by Select
    std::string History;             // property letters, most recently edited first
    std::set<char> Chosen;           // the two letters of the current pair

protected:
    TCombin(std::string_view letters, std::string history) : Letters(letters), History(std::move(history)) {}
};

}  // namespace vantor
