#pragma once

#include <string>
#include <vector>

// Why the tool did not use something it read: a script that did not load, a
// value of the wrong type, a registry value of the wrong size. Recorded by
// the core as it falls back, so that a report can say why a choice did not
// take effect.
struct Finding {
    std::string place;  // the file as the tool names it, "registry" or "display"
    int line = 0;       // 1-based line in the file; 0 when not known
    std::string message;
};

// Findings in the order they were made, each once.
class Findings {
public:
    // An exact repeat of an earlier finding (the same script read again) is
    // dropped.
    void Add(std::string place, int line, std::string message);

    const std::vector<Finding>& all() const { return findings_; }
    bool empty() const { return findings_.empty(); }

private:
    std::vector<Finding> findings_;
};
