// Every test leaves the process as it found it: a test that changes the current folder, the
// environment, the locale or the umask makes the tests after it pass or fail by their order, and
// ctest, which runs each test in a process of its own, would never show it.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <functional>
#include <locale>
#include <sstream>

#include "support/system.h"

namespace quorlin::test {
namespace {

struct Watched {
    const char* what;
    std::function<std::string()> read;
    // Puts the value back, so that one test's change fails that test alone.
    std::function<void(const std::string&)> restore;
};

const Watched kWatched[] = {
    {"current folder",
     [] {
         std::error_code ec;
         return std::filesystem::current_path(ec).string();
     },
     [](const std::string& v) {
         std::error_code ec;
         std::filesystem::current_path(v, ec);
     }},
    {"environment", environmentLines, [](const std::string&) {}},
    {"global C++ locale", [] { return std::locale().name(); },
     [](const std::string& v) { std::locale::global(std::locale(v)); }},
    {"C locale", [] { return std::string(std::setlocale(LC_ALL, nullptr)); },
     [](const std::string& v) { std::setlocale(LC_ALL, v.c_str()); }},
    {"umask",
     [] {
         const unsigned mask = exchangeUmask(0);
         exchangeUmask(mask);
         std::ostringstream octal;
         octal << std::oct << mask;
         return octal.str();
     },
     [](const std::string& v) { exchangeUmask(static_cast<unsigned>(std::stoul(v, nullptr, 8))); }},
};

// The lines of one value that the other lacks: what changed in an environment.
std::string linesOnlyIn(const std::string& value, const std::string& other) {
    std::istringstream lines(value);
    std::string only;
    for (std::string line; std::getline(lines, line);)
        if (("\n" + other).find("\n" + line + "\n") == std::string::npos)
            only += (only.empty() ? "" : " ") + line;
    return "\"" + only + "\"";
}

class UnchangedProcess : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override {
        before_.clear();
        for (const Watched& w : kWatched) before_.push_back(w.read() + "\n");
    }
    void OnTestEnd(const testing::TestInfo&) override {
        for (size_t i = 0; i < before_.size(); ++i) {
            const std::string after = kWatched[i].read() + "\n";
            if (after == before_[i]) continue;
            ADD_FAILURE() << "The test changed the " << kWatched[i].what << ": before "
                          << linesOnlyIn(before_[i], after) << ", after "
                          << linesOnlyIn(after, before_[i]);
            kWatched[i].restore(before_[i].substr(0, before_[i].size() - 1));
        }
    }
    std::vector<std::string> before_;
};

const bool registered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new UnchangedProcess);
    return true;
}();

}  // namespace
}  // namespace quorlin::test
