// The style registry: names of the pad, via and trace styles a conversion needs, in order of
// first registration.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace quorlin {

class StyleRegistry {
  public:
    // Records name unless the same text (case-sensitive) is already recorded.
    void addstyle(std::string_view name);
    void clear();

    // Registered names in order; the style file writer may rewrite and sort them.
    std::vector<std::string>& styles() { return styles_; }
    const std::vector<std::string>& styles() const { return styles_; }

  private:
    std::vector<std::string> styles_;
    std::unordered_set<std::string> seen_;
};

}  // namespace quorlin
