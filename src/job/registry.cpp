#include "job/registry.h"

namespace quorlin {

void StyleRegistry::addstyle(std::string_view name) {
    auto [it, inserted] = seen_.emplace(name);
    if (inserted) styles_.push_back(*it);
}

void StyleRegistry::clear() {
    styles_.clear();
    seen_.clear();
}

}  // namespace quorlin
