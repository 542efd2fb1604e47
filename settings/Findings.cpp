#include "settings/Findings.h"

#include <algorithm>

void Findings::Add(std::string place, int line, std::string message)
{
    const bool known = std::any_of(findings_.begin(), findings_.end(), [&](const Finding& f) {
        return f.line == line && f.place == place && f.message == message;
    });
    if (!known)
        findings_.push_back(Finding{std::move(place), line, std::move(message)});
}
